# AMBATE and ABBINAMENTI on the real archive: the program's search against the plain one.
add_executable(velmora_bench_ricerche ${CMAKE_CURRENT_LIST_DIR}/ricerche_bench.cpp)
target_link_libraries(velmora_bench_ricerche PRIVATE velmora_testsupport velmora_workbench velmora_archive benchmark::benchmark)
# The whole command is also timed as velmora-cli runs it.
add_dependencies(velmora_bench_ricerche velmora-cli)
target_compile_definitions(velmora_bench_ricerche PRIVATE VELMORA_CLI="$<TARGET_FILE:velmora-cli>")
