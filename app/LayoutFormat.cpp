#include "app/LayoutFormat.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/Numbers.h"

namespace {
// Splits at ',' and reads every field as a whole number; nothing when a field is not one.
std::optional<std::vector<int64_t>> ReadNumbers(const std::string& text, size_t count) {
  std::vector<int64_t> values;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    std::string field = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    int32_t v = 0;
    uint32_t u = 0;
    if (ParseInt32(field, v))
      values.push_back(v);
    else if (ParseUInt32(field, u))
      values.push_back(u);
    else
      return std::nullopt;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

int64_t OverlapArea(const LayoutRect& a, const LayoutRect& b) {
  int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
  int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between the rectangles (0 when they touch or overlap).
int64_t GapSquared(const LayoutRect& a, const LayoutRect& b) {
  int64_t dx = std::max<int64_t>({0, int64_t(b.left) - a.right, int64_t(a.left) - b.right});
  int64_t dy = std::max<int64_t>({0, int64_t(b.top) - a.bottom, int64_t(a.top) - b.bottom});
  return dx * dx + dy * dy;
}

// Shifts [lo, hi) into [min, max) keeping its length, shortened first when it is too long.
void ClampSpan(int& lo, int& hi, int min, int max) {
  int64_t length = std::min<int64_t>(int64_t(hi) - lo, int64_t(max) - min);
  int64_t start = std::max<int64_t>(lo, min);
  if (start + length > max) start = max - length;
  lo = int(start);
  hi = int(start + length);
}
}  // namespace

std::string FormatWindowPos(const WindowPlacement& p) {
  return StrPrintf("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCmd, p.minX, p.minY, p.maxX,
                   p.maxY, p.normal.left, p.normal.top, p.normal.right, p.normal.bottom);
}

std::optional<WindowPlacement> ParseWindowPos(const std::string& text) {
  auto v = ReadNumbers(text, 10);
  if (!v) return std::nullopt;
  const auto& n = *v;
  // The first two are unsigned, the rest signed 32-bit.
  for (size_t i = 0; i < 10; ++i) {
    if (i < 2 && n[i] < 0) return std::nullopt;
    if (i >= 2 && n[i] > std::numeric_limits<int32_t>::max()) return std::nullopt;
  }
  WindowPlacement p;
  p.flags = static_cast<unsigned>(n[0]);
  p.showCmd = static_cast<unsigned>(n[1]);
  p.minX = int(n[2]);
  p.minY = int(n[3]);
  p.maxX = int(n[4]);
  p.maxY = int(n[5]);
  p.normal = {int(n[6]), int(n[7]), int(n[8]), int(n[9])};
  return p;
}

bool IsMinimizedShowCmd(unsigned showCmd) { return showCmd == 2 || showCmd == 6 || showCmd == 7; }

std::string FormatSplitterPos(const SplitterSizes& s) {
  return StrPrintf("%d,%d,%d,%d,%d,%d,%d,%d", s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]);
}

std::optional<SplitterSizes> ParseSplitterPos(const std::string& text) {
  auto v = ReadNumbers(text, 8);
  if (!v) return std::nullopt;
  SplitterSizes s{};
  for (size_t i = 0; i < 8; ++i) {
    if ((*v)[i] > std::numeric_limits<int32_t>::max()) return std::nullopt;
    s[i] = int((*v)[i]);
  }
  return s;
}

LayoutRect ClampRectToScreens(const LayoutRect& rect, const std::vector<LayoutRect>& screens) {
  if (screens.empty()) return rect;
  const LayoutRect* best = nullptr;
  int64_t bestOverlap = 0;
  for (const LayoutRect& s : screens)
    if (int64_t o = OverlapArea(rect, s); o > bestOverlap) best = &s, bestOverlap = o;
  if (!best) {
    int64_t bestGap = std::numeric_limits<int64_t>::max();
    for (const LayoutRect& s : screens)
      if (int64_t g = GapSquared(rect, s); g < bestGap) best = &s, bestGap = g;
  }
  LayoutRect r = rect;
  // A rectangle turned inside out by a damaged profile gets the screen's size.
  if (r.right <= r.left) r.left = best->left, r.right = best->right;
  if (r.bottom <= r.top) r.top = best->top, r.bottom = best->bottom;
  ClampSpan(r.left, r.right, best->left, best->right);
  ClampSpan(r.top, r.bottom, best->top, best->bottom);
  return r;
}
