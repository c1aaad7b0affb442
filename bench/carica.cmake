# CaricaArchivio on the real archive, from its encrypted database.
add_executable(velmora_bench_carica ${CMAKE_CURRENT_LIST_DIR}/carica_bench.cpp)
target_link_libraries(velmora_bench_carica PRIVATE velmora_testsupport velmora_archive benchmark::benchmark)
