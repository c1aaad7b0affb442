# The official historical archive, zipped: read, compared with the real archive one month behind, the new draws written.
add_executable(velmora_bench_storico ${CMAKE_CURRENT_LIST_DIR}/storico_bench.cpp)
target_link_libraries(velmora_bench_storico PRIVATE velmora_testsupport velmora_maintenance PkgConfig::LIBZIP benchmark::benchmark)
add_dependencies(velmora_bench_storico velmora-cli)
