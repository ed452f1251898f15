// L3D_ADDRESS_SANITIZER is 1 in a build with AddressSanitizer, whichever compiler made it (g++
// and clang tell it in different ways), and 0 otherwise.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define L3D_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define L3D_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef L3D_ADDRESS_SANITIZER
#define L3D_ADDRESS_SANITIZER 0
#endif
