add_executable(bench_scan_model ${CMAKE_CURRENT_LIST_DIR}/scan_model.cpp)
target_link_libraries(bench_scan_model PRIVATE l3d_core benchmark::benchmark)
