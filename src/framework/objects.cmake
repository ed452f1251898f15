# The object model: objects, persistent objects, components, the message record, the
# exception barrier of system callbacks, and the recording drawing surface of native tests.
l3d_sources(CORE Objects.cpp Components.cpp ExceptionBarrier.cpp RecordingSurface.cpp)
