# The form background image: the picture's opaque runs (portable) and the component.
l3d_sources(CORE ElRegionRuns.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElImageForm.cpp)
endif()
