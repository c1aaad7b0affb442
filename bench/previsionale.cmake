# ELABORA of the predictive pyramid on the whole real archive.
add_executable(velmora_bench_previsionale ${CMAKE_CURRENT_LIST_DIR}/previsionale_bench.cpp)
target_link_libraries(velmora_bench_previsionale PRIVATE velmora_testsupport velmora_predictive velmora_archive benchmark::benchmark)
