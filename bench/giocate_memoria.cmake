# velmora-cli giocate on 100 and 1,000 plays of ten numbers on every wheel from 1939 for 9,999 colpi: peak memory.
add_executable(velmora_bench_giocate_memoria ${CMAKE_CURRENT_LIST_DIR}/giocate_memoria_bench.cpp)
target_link_libraries(velmora_bench_giocate_memoria PRIVATE velmora_testsupport velmora_archive benchmark::benchmark)
add_dependencies(velmora_bench_giocate_memoria velmora-cli)
