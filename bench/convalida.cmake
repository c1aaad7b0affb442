# Convalida on the real archive: 500 references replayed with the kept scores and plainly, peak memory, stop latency.
add_executable(velmora_bench_convalida ${CMAKE_CURRENT_LIST_DIR}/convalida_bench.cpp)
target_link_libraries(velmora_bench_convalida PRIVATE velmora_testsupport velmora_workbench velmora_archive benchmark::benchmark)
