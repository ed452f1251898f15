# HTML text renderer: tokenizer, parser, layout, painting and link hit test, all portable (text is
# measured and drawn through the framework's drawing-surface interface).
l3d_sources(CORE ElHTMLRender.cpp ElHTMLParser.cpp ElHTMLLayout.cpp)
