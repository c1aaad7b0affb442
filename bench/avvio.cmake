# From the start-up window to the main window shown, on the real archive (offscreen).
if(TARGET velmora_ui_INIZIO)
  add_executable(velmora_bench_avvio ${CMAKE_CURRENT_LIST_DIR}/avvio_bench.cpp
                                     ${PROJECT_SOURCE_DIR}/tests/support/Storico.cpp)
  target_include_directories(velmora_bench_avvio PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(velmora_bench_avvio PRIVATE VELMORA_STORICO_DEFAULT="${VELMORA_STORICO_DEFAULT}")
  target_link_libraries(velmora_bench_avvio PRIVATE velmora_ui_INIZIO velmora_ui_Container benchmark::benchmark)
endif()
