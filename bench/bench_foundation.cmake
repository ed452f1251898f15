add_executable(bench_html_render ${CMAKE_CURRENT_LIST_DIR}/html_render.cpp)
target_link_libraries(bench_html_render PRIVATE l3d_core benchmark::benchmark)
add_executable(bench_ini_file ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp)
target_link_libraries(bench_ini_file PRIVATE l3d_core benchmark::benchmark)
