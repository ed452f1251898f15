# HTML text renderer: tokenizer, parser, layout, painting and link hit test, all portable (text is
# measured and drawn through the framework's drawing-surface interface); and its GDI side, which
# measures on a memory DC and paints into a real one (Windows).
l3d_sources(CORE ElHTMLRender.cpp ElHTMLParser.cpp ElHTMLLayout.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElHTMLGdi.cpp)
endif()
