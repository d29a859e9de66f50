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
