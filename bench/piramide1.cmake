# The workbench window on the real archive (offscreen): opening, a full-catalogue AMBATE, cancel.
if(VELMORA_BUILD_UI)
  add_executable(velmora_bench_piramide1 ${CMAKE_CURRENT_LIST_DIR}/piramide1_bench.cpp)
  target_link_libraries(velmora_bench_piramide1 PRIVATE velmora_testsupport velmora_ui_Piramide1 benchmark::benchmark)
endif()
