#pragma once
// The ten bars of the main frame: the colour bar and nine tool bars, in the order they are
// created, docked and named.
#include <string>
#include <vector>

struct BarInfo {
  int id;            // control id of the bar (the tool bar's resource id)
  int toggleId;      // the View > Toolbars command that shows and hides it
  const char* logName;  // name in the creation log
  std::vector<int> buttons;  // command ids, 0 = separator; empty for the colour bar
};

const std::vector<BarInfo>& BarTable();
// The caption of bar i: field i of string 1116.
std::string BarCaption(size_t index);
// The AUI pane name of bar i (persisted in the bar state, so it never changes).
std::string BarPaneName(size_t index);

// Where the bars dock by default: the dock row of each bar (0 = topmost) and its place in the row.
struct BarPlace {
  int row = 0;
  int position = 0;
};
struct BarRows {
  std::vector<BarPlace> places;  // one per bar, in bar-table order
  int sizeableLength = 0;        // the length the resizable bar takes to fill its row
};
// Lays the bars into dock rows of the given length so that the rows are full: the fixed bars
// (lengths[i], in table order) each go into the first row with room left, a new row when none
// has; the resizable bar (index `sizeable`) then fills the row with the most room, or a row of
// its own when no row has `minSizeable` left.
BarRows PlanBarRows(const std::vector<int>& lengths, size_t sizeable, int rowLength, int minSizeable);
