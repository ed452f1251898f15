# The texts and reading direction every modal dialog of the program gets before it is shown.
if(WIN32)
  l3d_sources(WINDOWS DialogTexts.cpp)
endif()
