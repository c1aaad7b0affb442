# CaricaArchivio on the real archive, from its encrypted database.
if(TARGET velmora_archive)
  add_executable(velmora_bench_carica ${CMAKE_CURRENT_LIST_DIR}/carica_bench.cpp
                                      ${PROJECT_SOURCE_DIR}/tests/support/Storico.cpp)
  target_include_directories(velmora_bench_carica PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(velmora_bench_carica PRIVATE VELMORA_STORICO_DEFAULT="${VELMORA_STORICO_DEFAULT}")
  target_link_libraries(velmora_bench_carica PRIVATE velmora_archive benchmark::benchmark)
endif()
