add_executable(bench_surface_lists ${CMAKE_CURRENT_LIST_DIR}/surface_lists.cpp)
target_include_directories(bench_surface_lists PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_surface_lists PRIVATE l3d_core benchmark::benchmark)
