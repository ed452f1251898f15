add_executable(bench_edit_core ${CMAKE_CURRENT_LIST_DIR}/edit_core.cpp)
target_link_libraries(bench_edit_core PRIVATE l3d_core benchmark::benchmark)
