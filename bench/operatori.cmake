# Operator evaluator: the fast path the searches use against ElaboraPPP2 on its text code.
add_executable(velmora_bench_operatori ${CMAKE_CURRENT_LIST_DIR}/operatori_bench.cpp)
target_link_libraries(velmora_bench_operatori PRIVATE velmora_testsupport velmora_engine benchmark::benchmark)
