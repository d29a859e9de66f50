#pragma once
// The bricks and plates the model generators (landscape, rotation model, mosaic) build with, the
// colours by height level, and the generators' own random numbers.
#include <array>
#include <cstdint>

struct GeneratorBrick {
  const char* file;
  int32_t width;  // studs along x
  int32_t depth;  // studs along z
};

// Indices 0..3 are the bricks of the "Maximum brick size" choices, 4..7 the plates of the same
// footprints.
inline constexpr std::array<GeneratorBrick, 8> GeneratorBrickTable = {{
    {"3005.dat", 1, 1},
    {"3004.dat", 2, 1},
    {"3003.dat", 2, 2},
    {"3001.dat", 4, 2},
    {"3024.dat", 1, 1},
    {"3023.dat", 2, 1},
    {"3022.dat", 2, 2},
    {"3020.dat", 4, 2},
}};
inline constexpr int32_t kMaxBrickSizeIndex = 3;
inline constexpr int32_t kPlateRowOffset = 4;

// Lowest level first.
inline constexpr std::array<int32_t, 7> LevelColors = {1, 6, 10, 2, 8, 7, 15};

// A small generator of its own: the same numbers for a seed on every platform, 15 bits each (the
// landscape's amplitudes were tuned for that range).
class CGeneratorRandom {
 public:
  explicit CGeneratorRandom(uint32_t seed) : m_state(seed) {}
  // 0..32767.
  int32_t Next() {
    m_state = m_state * 1103515245u + 12345u;
    return static_cast<int32_t>((m_state >> 16) & 0x7FFF);
  }

 private:
  uint32_t m_state;
};
