// The image library's GIF reader over arbitrary bytes.
#include "TolvoLoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzTolvoLoader(data, size, tolvo::LoadGif);
}
