# The open of a radar profile set against a numpy reader of the same file (plain program).
add_executable(open_compare ${CMAKE_CURRENT_LIST_DIR}/open_compare.cpp)
target_link_libraries(open_compare PRIVATE l3d_core)
target_compile_definitions(open_compare PRIVATE L3D_NUMPY_READER="${CMAKE_CURRENT_LIST_DIR}/numpy_open.py")
