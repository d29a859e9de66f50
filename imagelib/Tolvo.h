#pragma once
// The exports of the image and language library (libtolvo.so), loaded by the program at run time.
#include <cstdint>

#define TOLVO_EXPORT extern "C" __attribute__((visibility("default")))

// Version word: major version in the high 16 bits, minor in the low 16 bits.
inline constexpr uint32_t kTolvoVersion = 0x00010002;

TOLVO_EXPORT uint32_t GetDllVersion();
