# velmora-cli killed at random moments of every kind of archive write, each followed by another writer: no damaged archive.
add_executable(velmora_bench_guasti ${CMAKE_CURRENT_LIST_DIR}/guasti_bench.cpp)
target_link_libraries(velmora_bench_guasti PRIVATE velmora_testsupport velmora_storage PkgConfig::LIBZIP benchmark::benchmark)
add_dependencies(velmora_bench_guasti velmora-cli)
