# AMBATE and ABBINAMENTI on the real archive: the program's search against the plain one.
if(TARGET velmora_workbench)
  add_executable(velmora_bench_ricerche ${CMAKE_CURRENT_LIST_DIR}/ricerche_bench.cpp
                                        ${PROJECT_SOURCE_DIR}/tests/support/Storico.cpp)
  target_include_directories(velmora_bench_ricerche PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(velmora_bench_ricerche PRIVATE VELMORA_STORICO_DEFAULT="${VELMORA_STORICO_DEFAULT}")
  target_link_libraries(velmora_bench_ricerche PRIVATE velmora_workbench velmora_archive benchmark::benchmark)
endif()
