#pragma once
// The texts in which the main frame keeps its layout per mode: the window placement
// ("WindowPos") and the splitter sizes ("SplitterPos"), and the arithmetic that pulls a stored
// placement back onto the screens present now.
#include <array>
#include <optional>
#include <string>
#include <vector>

struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

// The ten numbers of "WindowPos": "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d".
struct WindowPlacement {
  static constexpr unsigned kRestoreToMaximized = 2;  // flags
  static constexpr unsigned kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3;

  unsigned flags = 0;
  unsigned showCmd = kShowNormal;
  int minX = -1, minY = -1, maxX = -1, maxY = -1;
  LayoutRect normal;
  bool operator==(const WindowPlacement&) const = default;
};

std::string FormatWindowPos(const WindowPlacement& p);
// All ten numbers or nothing.
std::optional<WindowPlacement> ParseWindowPos(const std::string& text);
// A stored minimised placement (show commands 2, 6 and 7) is never applied.
bool IsMinimizedShowCmd(unsigned showCmd);

// "SplitterPos": column-0 width and row-0 height of the main splitter, the left splitter, the
// right splitter and the pane grid, in this order.
using SplitterSizes = std::array<int, 8>;
std::string FormatSplitterPos(const SplitterSizes& s);
std::optional<SplitterSizes> ParseSplitterPos(const std::string& text);

// Moves (and if need be shrinks) a window rectangle so that it lies on one of the screens'
// work areas: the one it overlaps most, or the nearest when it overlaps none. With no screens the
// rectangle stays as it is.
LayoutRect ClampRectToScreens(const LayoutRect& rect, const std::vector<LayoutRect>& screens);
