# Ini and registry store (file forms natively; registry mode over an in-memory registry).
l3d_add_test(foundation_inifile SOURCES ${CMAKE_CURRENT_LIST_DIR}/inifile_test.cpp LIBS l3d_core)
