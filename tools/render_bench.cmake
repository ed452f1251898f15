# Frame timing of the scan renderer (Windows build; run by hand under Wine, not part of ctest).
if(WIN32)
  add_executable(render_bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
  target_include_directories(render_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(render_bench PRIVATE l3d_win psapi)
endif()
