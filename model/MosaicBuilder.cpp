#include "model/MosaicBuilder.h"

#include <algorithm>
#include <new>

#include "model/ColorQuantizer.h"
#include "model/GeneratorBrickTable.h"

std::unique_ptr<CDib> CMosaicBuilder::FitPicture(const CDib& picture, int32_t maxSide) {
  if (!picture.HasBlock() || !picture.Is24Bit() || maxSide < 1) return nullptr;
  const int32_t w = picture.GetWidth(), h = picture.GetHeight();
  const double scale = std::min(1.0, static_cast<double>(maxSide) / std::max(w, h));
  const int32_t nw = std::max(1, static_cast<int32_t>(w * scale)), nh = std::max(1, static_cast<int32_t>(h * scale));
  auto out = std::make_unique<CDib>();
  if (!out->Create(nw, nh, true)) return nullptr;
  for (int32_t y = 0; y < nh; ++y) {
    const int32_t y0 = static_cast<int32_t>(static_cast<int64_t>(y) * h / nh);
    const int32_t y1 = std::max(y0 + 1, static_cast<int32_t>(static_cast<int64_t>(y + 1) * h / nh));
    uint8_t* target = out->GetRow(y);
    for (int32_t x = 0; x < nw; ++x) {
      const int32_t x0 = static_cast<int32_t>(static_cast<int64_t>(x) * w / nw);
      const int32_t x1 = std::max(x0 + 1, static_cast<int32_t>(static_cast<int64_t>(x + 1) * w / nw));
      uint64_t sum[3] = {0, 0, 0};
      for (int32_t sy = y0; sy < y1; ++sy) {
        const uint8_t* source = picture.GetRow(sy);
        for (int32_t sx = x0; sx < x1; ++sx)
          for (int c = 0; c < 3; ++c) sum[c] += source[sx * 3 + c];
      }
      const uint64_t n = static_cast<uint64_t>(y1 - y0) * (x1 - x0);
      for (int c = 0; c < 3; ++c) target[x * 3 + c] = static_cast<uint8_t>((sum[c] + n / 2) / n);
    }
  }
  return out;
}

void CMosaicBuilder::SetOptions(const Options& options) {
  const Options previous = m_options;
  m_options = options;
  m_options.height = std::clamp(options.height, 0, kMaxHeight);
  if (options.maxBrickSize < 0 || options.maxBrickSize > kMaxBrickSizeIndex) m_options.maxBrickSize = previous.maxBrickSize;
  if (options.colorMode < kColorNone || options.colorMode > kColorReal) m_options.colorMode = previous.colorMode;
}

CMosaicBuilder::Result CMosaicBuilder::BuildMaps(const CDib& picture, const ColorEntry* table, LayeredGrid& grid) {
  const int32_t w = picture.GetWidth(), h = picture.GetHeight();
  const int32_t height = m_options.height;
  const bool plates = m_options.usePlates;
  try {
    grid.width = w;
    grid.depth = h;
    grid.level.assign(static_cast<size_t>(w) * h, 1);
    grid.color.clear();
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  m_levels = 1;
  if (height > 0) {
    m_levels = plates ? 3 * height : height;
    for (int32_t r = 0; r < h; ++r) {
      const uint8_t* row = picture.GetRow(h - 1 - r);  // grid row 0 is the picture's bottom row
      for (int32_t c = 0; c < w; ++c) {
        const int32_t g = (row[c * 3] + row[c * 3 + 1] + row[c * 3 + 2]) / 3;
        grid.At(c, r) = plates ? g * height * 3 / 255 : g * height / 255;
      }
    }
  }
  if (m_options.colorMode == kColorReal) {
    CColorQuantizer quantizer;
    quantizer.Reset();
    std::unique_ptr<CDib> colors = quantizer.CreatePaletteDib(picture, table);
    quantizer.Free();
    // Without colours the build stops: a map of unset colour numbers would make a wrong model.
    if (!colors) return kOutOfMemory;
    try {
      grid.color.assign(grid.level.size(), kColorNone);
    } catch (const std::bad_alloc&) {
      return kOutOfMemory;
    }
    for (int32_t r = 0; r < h; ++r) {
      const uint8_t* row = colors->GetRow(h - 1 - r);
      for (int32_t c = 0; c < w; ++c) grid.color[static_cast<size_t>(r) * w + c] = row[c];
    }
  }
  return kDone;
}

CMosaicBuilder::Result CMosaicBuilder::Generate(const CDib& picture, const ColorEntry* table, CGeneratorSink& sink,
                                                const CLayeredBuilder::ProgressFn& progress) {
  m_placed = 0;
  if (!picture.HasBlock() || !picture.Is24Bit() || picture.GetWidth() > kMaxSide || picture.GetHeight() > kMaxSide)
    return kNoPicture;
  LayeredGrid grid;
  if (BuildMaps(picture, table, grid) != kDone) return kOutOfMemory;
  sink.Clear();
  const int32_t w = grid.width, h = grid.depth, levels = m_levels;
  const bool plates = m_options.usePlates;
  const int32_t mode = m_options.colorMode;
  CLayeredBuilder::Options options;
  options.maxBrickSize = m_options.maxBrickSize;
  options.usePlates = plates;
  options.maxLevel = levels;
  CLayeredBuilder builder(sink, options);
  auto place = [&](const LayeredPlacement& p) {
    double y = -8.0 * p.level;
    if (!plates) y *= 3;
    else if (p.unit == 1) y += 16;
    ColorNumber color = 16;
    if (mode == kColorFake) color = LevelColors[std::min((p.unit + p.level) * 6 / levels + 1, 6)];
    else if (mode == kColorReal) color = grid.color[static_cast<size_t>(p.row) * w + p.column];
    return sink.PlacePart(GeneratorBrickTable[p.tableIndex].file,
                          CVector3((p.column - w / 2) * 20.0, y, (p.row - h / 2) * 20.0), color, false);
  };
  const CLayeredBuilder::Result result = builder.Run(grid, place, progress);
  m_placed = builder.GetPlacedCount();
  return result == CLayeredBuilder::kDone ? kDone : result == CLayeredBuilder::kCancelled ? kCancelled : kFailed;
}
