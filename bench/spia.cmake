# Numeri spia and the law of thirds on the real archive: one spy on all wheels, the 8,100-test scan on one wheel and on each of the eleven, the law of thirds with its distribution.
add_executable(velmora_bench_spia ${CMAKE_CURRENT_LIST_DIR}/spia_bench.cpp)
target_link_libraries(velmora_bench_spia PRIVATE velmora_testsupport velmora_statistics velmora_archive benchmark::benchmark)
