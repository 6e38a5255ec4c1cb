#pragma once
// Marks what libvelka-info.so exports; everything else stays hidden.
#if defined(__GNUC__)
#define VELKA_INFO_EXPORT __attribute__((visibility("default")))
#else
#define VELKA_INFO_EXPORT
#endif
