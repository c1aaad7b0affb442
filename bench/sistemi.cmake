# Systems: the known optima (planes, Steiner systems, pair coverings by triples), player-sized settings, a large integral system.
add_executable(velmora_bench_sistemi ${CMAKE_CURRENT_LIST_DIR}/sistemi_bench.cpp)
target_link_libraries(velmora_bench_sistemi PRIVATE velmora_systems benchmark::benchmark)
