add_executable(bench_scan_files ${CMAKE_CURRENT_LIST_DIR}/scan_files.cpp)
target_link_libraries(bench_scan_files PRIVATE l3d_core benchmark::benchmark)
