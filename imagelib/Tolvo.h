#pragma once
// The exports of the image and language library (libtolvo.so), loaded by the program at run time.
// Only plain C types cross this boundary: the program looks each export up by name.
#include <cstdint>

#define TOLVO_EXPORT extern "C" __attribute__((visibility("default")))

// Version word: major version in the high 16 bits, minor in the low 16 bits.
inline constexpr uint32_t kTolvoVersion = 0x00010002;

// Bits of imImage::flags.
inline constexpr uint32_t kImTrueColor = 1;  // 3 bytes per pixel, B, G, R
inline constexpr uint32_t kImPalette = 2;    // 1 byte per pixel, an index into the palette
inline constexpr uint32_t kImBottomUp = 4;   // the first row in memory is the picture's bottom row

// Largest width and height the library accepts.
inline constexpr uint32_t kImMaxSide = 8192;

// The picture that crosses the boundary. Made and released only inside the library
// (imAlloc, fiLoadFile, imFree), so its blocks live in the library's heap.
struct imImage {
  uint8_t* pixels;        // rows of stride bytes each
  uint8_t* palette;       // colorCount entries of R, G, B; null for true colour
  uint32_t pixelBytes;    // stride x height
  uint16_t paletteBytes;  // colorCount x 3, 0 for true colour
  uint16_t width;         // 1 to 8192
  uint16_t height;        // 1 to 8192
  uint16_t stride;        // bytes per row, a multiple of 4
  uint16_t resolutionX;   // BMP resolution fields and the GIF logical screen
  uint16_t resolutionY;
  uint16_t colorCount;
  uint16_t aspectX;
  uint16_t aspectY;
  uint16_t transparentIndex;
  uint32_t flags;
};

// A list of texts made by the library. The caller zero-initialises it, hands it to
// ScanCheckLangDlls and gives it back to FreeStringList before discarding it.
struct TolvoStringList {
  char** items;
  uint32_t count;
};

TOLVO_EXPORT int FreeStringList(TolvoStringList* list);
TOLVO_EXPORT uint32_t GetDllVersion();
// Names of the usable language packs ("tolvolang<Name>.mo" in directory): "English" first.
// A pack is usable when the translation of kTolvoVersionMsgId equals requiredVersion (letter case
// aside) and it translates every one of the requiredIdCount message ids. Verdicts are cached in
// the user's config folder; progress goes to the log file. 1 when the scan ran, 0 when no pack was
// found.
TOLVO_EXPORT int ScanCheckLangDlls(TolvoStringList* list, const char* directory,
                                   const char* requiredVersion, const char* const* requiredIds,
                                   uint32_t requiredIdCount, const char* logPath);
// A new true-colour, top-down picture, or null on any failure.
TOLVO_EXPORT imImage* fiLoadFile(const char* path);
// Writes the image as "JPG", "GIF" or "BMP" (letter case aside) and releases it either way;
// with any other name returns 0 and the caller keeps the image.
TOLVO_EXPORT int fiSaveFile(const char* path, imImage* image, const char* format);
// type 1 true colour, 2 palette. Null when a value is out of range or memory is short.
TOLVO_EXPORT imImage* imAlloc(uint16_t width, uint16_t height, uint16_t colors, uint16_t type);
TOLVO_EXPORT int imFree(imImage* image);

// The message id whose translation in a language pack is the pack's version text.
inline constexpr const char* kTolvoVersionMsgId = "@TOLVO_LANGUAGE_VERSION@";
