# From the start-up window to the main window shown, on the real archive (offscreen).
if(VELMORA_BUILD_UI)
  add_executable(velmora_bench_avvio ${CMAKE_CURRENT_LIST_DIR}/avvio_bench.cpp)
  target_link_libraries(velmora_bench_avvio PRIVATE velmora_testsupport velmora_ui_INIZIO velmora_ui_Container benchmark::benchmark)
endif()
