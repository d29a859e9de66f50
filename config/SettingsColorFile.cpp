// The binary colour file Plandor.cfg, little-endian whatever the machine:
//   header u32: 0x03400000, or 0x03400001 when a colour table follows
//   [512 colour entries of 56 bytes: name[44], edge i32, R G B A, edge R G B, 255]
//   16 colour-bar colour numbers, i32 each
// Files of an older form begin directly with a colour table, which is skipped.
#include <cstring>
#include <vector>

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"

namespace {

constexpr uint32_t kHeaderPlain = 0x03400000;
constexpr uint32_t kHeaderWithTable = 0x03400001;
constexpr size_t kEntryBytes = 56;
constexpr size_t kTableBytes = kEntryBytes * kColorCount;  // 0x7000
constexpr size_t kColorBarBytes = 4 * kColorBarSize;

void PutU32(std::string& out, uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

uint32_t GetU32(const uint8_t* p) {
  return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void EncodeEntry(const ColorEntry& e, std::string& out) {
  out.append(e.name, sizeof(e.name));
  PutU32(out, static_cast<uint32_t>(e.edgeColor));
  const uint8_t tail[8] = {e.red, e.green, e.blue, e.alpha, e.edgeRed, e.edgeGreen, e.edgeBlue, e.reserved};
  out.append(reinterpret_cast<const char*>(tail), sizeof(tail));
}

void DecodeEntry(const uint8_t* p, ColorEntry& e) {
  std::memcpy(e.name, p, sizeof(e.name));
  // A name from a file may lack its terminator; at most 40 characters are used.
  std::memset(e.name + 40, 0, sizeof(e.name) - 40);
  e.edgeColor = static_cast<int32_t>(GetU32(p + 44));
  e.red = p[48], e.green = p[49], e.blue = p[50], e.alpha = p[51];
  e.edgeRed = p[52], e.edgeGreen = p[53], e.edgeBlue = p[54], e.reserved = p[55];
}

bool ReadExactly(FILE* stream, std::vector<uint8_t>& bytes, size_t size) {
  bytes.resize(size);
  return std::fread(bytes.data(), 1, size, stream) == size;
}

void UseLibraryColors() {
  std::memcpy(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors));
  thePrivateColorsFlag = 0;
}

}  // namespace

int CTqBaseSettings::LoadColorFile(FILE* stream) {
  std::vector<uint8_t> bytes;
  if (!ReadExactly(stream, bytes, 4)) return 0;
  uint32_t header = GetU32(bytes.data());
  if ((header >> 16) != (kHeaderPlain >> 16)) {
    // An older file: its table is not taken over.
    bool ok = std::fseek(stream, 0, SEEK_SET) == 0 && ReadExactly(stream, bytes, kTableBytes);
    UseLibraryColors();
    return ok ? 1 : 0;
  }
  if ((header & 0xFFFF) == 0) {
    UseLibraryColors();
    return 1;
  }
  if (!ReadExactly(stream, bytes, kTableBytes)) {
    UseLibraryColors();
    return 0;
  }
  for (int i = 0; i < kColorCount; ++i) DecodeEntry(bytes.data() + kEntryBytes * i, theDefaultColors[i]);
  thePrivateColorsFlag = 1;
  return 1;
}

int CSettings::ReadCfg() {
  std::string path = GetColorFilePath(false);
  FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) return 0;
  if (!IsWritableDirectory(BasePath))
    theTracer.Printf("Reading the color file '%s' (the library folder '%s' is not writable)\n", path.c_str(),
                     BasePath.c_str());
  std::vector<uint8_t> bar;
  int ok = LoadColorFile(stream) && ReadExactly(stream, bar, kColorBarBytes);
  std::fclose(stream);
  if (!ok) return 0;
  for (int i = 0; i < kColorBarSize; ++i)
    ColorBarColors[i] = static_cast<int32_t>(GetU32(bar.data() + 4 * i));
  if (thePrivateColorsFlag) theTracer.Printf("Using private user colors loaded from Tolvo.cfg\n");
  return 1;
}

int CSettings::WriteCfg() {
  std::string path = GetColorFilePath(true);
  if (!IsWritableDirectory(BasePath))
    theTracer.Printf("Writing the color file to '%s' (the library folder '%s' is not writable)\n",
                     path.c_str(), BasePath.c_str());
  std::string bytes;
  PutU32(bytes, thePrivateColorsFlag == 1 ? kHeaderWithTable : kHeaderPlain);
  if (thePrivateColorsFlag == 1)
    for (const ColorEntry& e : theDefaultColors) EncodeEntry(e, bytes);
  for (int32_t color : ColorBarColors) PutU32(bytes, static_cast<uint32_t>(color));

  CAtomicFile file;
  FILE* stream = file.Open(path);
  bool ok = stream && std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && file.Commit();
  if (!ok) {
    theTracer.Printf("ERROR: Failed to write the color file '%s'!\n", path.c_str());
    return 0;
  }
  return 1;
}
