# The PNG and JPEG encoders of the image export (portable; libpng, zlib and libjpeg).
l3d_sources(CORE ImageWriters.cpp)
l3d_libraries(PNG::PNG JPEG::JPEG)
