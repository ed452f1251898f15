l3d_add_fuzzer(usb_replies SOURCES ${CMAKE_SOURCE_DIR}/fuzz/usb_replies.cpp LIBS l3d_core ftd2xx_sim)
