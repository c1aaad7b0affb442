# Update files and exports on the real archive: AGGIORNAMENTO of 500 new draws with the reload, the check of the whole archive, the three exports.
add_executable(velmora_bench_aggiornamento ${CMAKE_CURRENT_LIST_DIR}/aggiornamento_bench.cpp)
target_link_libraries(velmora_bench_aggiornamento PRIVATE velmora_testsupport velmora_maintenance velmora_engine benchmark::benchmark)
