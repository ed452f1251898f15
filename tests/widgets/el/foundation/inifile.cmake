# Ini and registry store (file forms natively; registry mode over an in-memory registry, and on
# the system registry under Wine).
l3d_add_test(foundation_inifile SOURCES ${CMAKE_CURRENT_LIST_DIR}/inifile_test.cpp LIBS l3d_core)
l3d_add_test(ini_registry_test WINDOWS SOURCES ${CMAKE_CURRENT_LIST_DIR}/ini_registry_test.cpp LIBS l3d_win)
