# The plays checked against the draws: 1,000 plays of 10 numbers on every wheel over 200 draws.
add_executable(velmora_bench_giocate ${CMAKE_CURRENT_LIST_DIR}/giocate_bench.cpp)
target_link_libraries(velmora_bench_giocate PRIVATE velmora_testsupport velmora_plays velmora_engine benchmark::benchmark)
