# The window archivio on the real archive: SALVA of a new draw, opening, calendar of a year (offscreen).
if(VELMORA_BUILD_UI)
  add_executable(velmora_bench_archivio ${CMAKE_CURRENT_LIST_DIR}/archivio_bench.cpp)
  target_link_libraries(velmora_bench_archivio PRIVATE velmora_testsupport velmora_ui_archivio velmora_ui_Container benchmark::benchmark)
endif()
