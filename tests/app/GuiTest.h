#pragma once
// The GUI tests share one wx application, started before the first test (under Xvfb). Without a
// display the pure tests still run and the window tests skip. A wx assert fails the running test.
#include <gtest/gtest.h>

bool GuiAvailable();
// Lets queued events, idle handlers and pending deletions run for about `ms` milliseconds.
void PumpEvents(int ms = 50);

#define REQUIRE_GUI()                                                          \
  if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)"
