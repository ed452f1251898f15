# The scan renderer: portable geometry and scene set-up, and the OpenGL side (context on a
# drawing child window, the sink that forwards to OpenGL, the OpenGL control, frame read-back).
l3d_sources(CORE SurfaceLists.cpp VertexBatch.cpp BatchPipeline.cpp ListBudget.cpp ScanScene.cpp GLPixels.cpp OpenGLControlModel.cpp)
if(WIN32)
  l3d_sources(WINDOWS OpenGLSink.cpp GLChildWindow.cpp ScanGLContext.cpp _TScanImage.cpp _TGLReadback.cpp
                    _TOpenGL.cpp WGLContext.cpp)
endif()
