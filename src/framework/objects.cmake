# The object model: objects, persistent objects, components, the message record, the
# exception barrier of system callbacks, the recording drawing surface of native tests, key
# short-cuts and the portable menu item model.
l3d_sources(CORE Objects.cpp ClassRegistry.cpp Components.cpp ExceptionBarrier.cpp RecordingSurface.cpp ShortCuts.cpp MenuItems.cpp
            WideHints.cpp)
