# Delays and frequencies on the real archive: estratti and ambi, one wheel and all, and the window opening (offscreen).
if(VELMORA_BUILD_UI)
  add_executable(velmora_bench_statistiche ${CMAKE_CURRENT_LIST_DIR}/statistiche_bench.cpp)
  target_link_libraries(velmora_bench_statistiche PRIVATE velmora_testsupport velmora_ui_Statistiche velmora_ui_Container
    benchmark::benchmark)
endif()
