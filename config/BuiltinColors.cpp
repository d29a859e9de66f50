#include "config/BuiltinColors.h"

#include <string_view>

namespace {

struct SolidColor {
  int row;
  std::string_view name;
  int32_t edge;
  uint8_t red, green, blue;
};

// Rows 0-28 are solid, 32-47 and 57 transparent.
constexpr SolidColor kSolidColors[] = {
    {0, "Black", 8, 34, 34, 34},
    {1, "Blue", 9, 0, 51, 178},
    {2, "Green", 10, 0, 127, 51},
    {3, "Dark-Cyan", 11, 0, 170, 170},
    {4, "Red", 12, 204, 0, 0},
    {5, "Magenta", 13, 255, 51, 153},
    {6, "Brown", 0, 102, 51, 0},
    {7, "Light-Gray", 8, 170, 170, 170},
    {8, "Dark-Gray", 0, 102, 102, 88},
    {9, "Light-Blue", 1, 0, 128, 255},
    {10, "Light-Green", 2, 51, 255, 102},
    {11, "Cyan", 3, 85, 170, 255},
    {12, "Light-Red", 4, 255, 85, 85},
    {13, "Pink", 5, 255, 176, 204},
    {14, "Yellow", 8, 255, 229, 0},
    {15, "White", 8, 255, 255, 255},
    {16, "Main-Color", 0, 127, 127, 127},
    {17, "Pastel-Green", 2, 102, 240, 153},
    {18, "Light-Yellow", 14, 255, 255, 128},
    {19, "Tan", 6, 204, 170, 102},
    {20, "Light-Purple", 8, 224, 204, 240},
    {21, "Glow-In-The-Dark", 0, 224, 255, 176},
    {22, "Purple", 8, 153, 51, 153},
    {23, "Purple-Blue", 8, 76, 0, 204},
    {24, "Edge-Color", 0, 127, 127, 127},
    {25, "Orange-Solid", 8, 255, 102, 0},
    {26, "Dark-Pink", 0, 255, 51, 153},
    {27, "Lime-Green", 0, 173, 221, 80},
    {28, "Tan-Solid", 0, 204, 170, 102},
};

constexpr SolidColor kTransparentColors[] = {
    {32, "Trans-Black", 8, 34, 34, 34},        {33, "Trans-Blue", 9, 0, 0, 153},
    {34, "Trans-Green", 10, 0, 80, 24},        {35, "Trans-Dark_Cyan", 11, 0, 170, 170},
    {36, "Trans-Red", 12, 204, 0, 0},          {37, "Trans-Magenta", 13, 255, 51, 153},
    {38, "Trans-Brown", 0, 102, 51, 0},        {39, "Trans-Light-Gray", 8, 153, 153, 153},
    {40, "Trans-Dark-Gray", 0, 102, 102, 88},  {41, "Trans-Light-Blue", 1, 153, 192, 240},
    {42, "Trans-Light-Green", 2, 204, 255, 0}, {43, "Trans-Cyan", 3, 85, 170, 255},
    {44, "Trans-Light-Red", 4, 255, 85, 85},   {45, "Trans-Pink", 5, 255, 176, 204},
    {46, "Trans-Yellow", 8, 240, 196, 0},      {47, "Trans-White", 8, 255, 255, 255},
    {57, "Trans-Orange", 8, 255, 102, 0},
};

// Dither rows with a name of their own: row 256 + 16 i + j mixes base colours i and j.
constexpr struct {
  int first, second;
  std::string_view name;
} kNamedDithers[] = {
    {4, 3, "Dark red"},       {4, 14, "Gold"},        {4, 15, "Sand red"}, {7, 5, "Sand violet"},
    {7, 10, "Sand green"},    {7, 11, "Sand blue"},   {7, 14, "Tan"},      {7, 15, "Chrome"},
    {10, 2, "Bright green"},  {10, 15, "Mint green"}, {12, 14, "Orange"},  {14, 14, "Yellow"},
    {14, 15, "Light yellow"}, {15, 7, "Light gray"},
};

constexpr void SetName(BuiltinColorRow& row, std::string_view name) {
  for (char& c : row.name) c = 0;
  for (size_t i = 0; i < name.size() && i < 40; ++i) row.name[i] = name[i];
}

constexpr BuiltinColorRow MakeRow(std::string_view name, int32_t edge, uint8_t r1, uint8_t g1, uint8_t b1,
                                  uint8_t r2, uint8_t g2, uint8_t b2, uint8_t alpha2) {
  BuiltinColorRow row{};
  SetName(row, name);
  row.edgeColor = edge;
  row.red1 = r1, row.green1 = g1, row.blue1 = b1, row.alpha1 = 255;
  row.red2 = r2, row.green2 = g2, row.blue2 = b2, row.alpha2 = alpha2;
  return row;
}

constexpr std::array<BuiltinColorRow, kColorCount> MakeBuiltinColors() {
  std::array<BuiltinColorRow, kColorCount> rows{};
  // Unused rows: opaque grey up to 31, transparent grey above.
  for (int i = 0; i < 256; ++i)
    rows[i] = MakeRow("unused", 0, 127, 127, 127, 127, 127, 127, i < 32 ? 255 : 0);
  rows[49].edgeColor = 2;
  for (const SolidColor& c : kSolidColors)
    rows[c.row] = MakeRow(c.name, c.edge, c.red, c.green, c.blue, c.red, c.green, c.blue, 255);
  for (const SolidColor& c : kTransparentColors)
    rows[c.row] = MakeRow(c.name, c.edge, c.red, c.green, c.blue, 127, 127, 127, 0);
  for (int i = 0; i < 16; ++i) {
    for (int j = 0; j < 16; ++j) {
      const BuiltinColorRow& a = rows[i];
      const BuiltinColorRow& b = rows[j];
      rows[256 + 16 * i + j] =
          MakeRow("unused", a.edgeColor, a.red1, a.green1, a.blue1, b.red1, b.green1, b.blue1, 255);
    }
  }
  for (const auto& d : kNamedDithers) SetName(rows[256 + 16 * d.first + d.second], d.name);
  return rows;
}

}  // namespace

// Built at compile time, so that it is complete before any other static object needs it.
constinit const std::array<BuiltinColorRow, kColorCount> BuiltinColors = MakeBuiltinColors();
