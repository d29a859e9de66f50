// A stand-in for the image library with a chosen version and a chosen set of exports, so that the
// binding's tests can load a library that is too old or lacks an export.
#include <cstdint>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

#ifdef TOLVO_STUB_VERSION
STUB_EXPORT uint32_t GetDllVersion() { return TOLVO_STUB_VERSION; }
#endif

#ifndef TOLVO_STUB_WITHOUT_IMFREE
STUB_EXPORT int imFree(void*) { return 0; }
#endif

STUB_EXPORT void* fiLoadFile(const char*) { return nullptr; }
