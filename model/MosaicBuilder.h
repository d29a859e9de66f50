#pragma once
// The mosaic generator's core: every pixel of a picture is one stud, its brightness the height of
// the column of bricks or plates standing there; the colours follow the height ("Fake"), the
// picture quantised onto the colour table ("Real"), or the parent colour ("None").
#include <cstdint>
#include <memory>

#include "config/ColorEntry.h"
#include "model/LayeredBuilder.h"
#include "render/Dib.h"

class CMosaicBuilder {
 public:
  enum ColorMode : int32_t { kColorNone = 0, kColorFake = 1, kColorReal = 2 };
  // Pictures larger than this across or down are scaled down first: every stud is at least one
  // part, so the side bounds the model's size and the build time.
  static constexpr int32_t kMaxSide = 256;
  static constexpr int32_t kMaxHeight = 15;

  struct Options {
    bool usePlates = false;
    int32_t maxBrickSize = 0;  // 0..3
    int32_t height = 5;        // 0..15
    int32_t colorMode = kColorReal;
  };
  enum Result { kFailed = 0, kDone = 1, kCancelled = 2, kNoPicture = 3, kOutOfMemory = 4 };

  // A copy of the picture that fits maxSide in both directions (area averages), keeping its shape;
  // an unchanged copy when it fits already. Null for an empty or non-24-bit picture or no memory.
  static std::unique_ptr<CDib> FitPicture(const CDib& picture, int32_t maxSide);

  // Bounds the options (out-of-range brick size and colour mode keep their defaults).
  void SetOptions(const Options& options);
  const Options& GetOptions() const { return m_options; }

  // Builds the model of the picture (at most kMaxSide square; larger ones give kNoPicture) into
  // the sink. The colour table serves "Real" mode. The progress gets the base level after each
  // band; false cancels. Failures and cancels leave the sink empty.
  Result Generate(const CDib& picture, const ColorEntry* table, CGeneratorSink& sink,
                  const CLayeredBuilder::ProgressFn& progress);
  int32_t GetLevels() const { return m_levels; }
  int32_t GetPlacedCount() const { return m_placed; }

 private:
  Result BuildMaps(const CDib& picture, const ColorEntry* table, LayeredGrid& grid);

  Options m_options;
  int32_t m_levels = 1;
  int32_t m_placed = 0;
};
