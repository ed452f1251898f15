# The object model: objects, persistent objects, components, the message record, and the
# exception barrier of system callbacks.
l3d_sources(CORE Objects.cpp Components.cpp ExceptionBarrier.cpp)
