#pragma once
// A settings test runs against a profile file, a library folder and config and state folders of
// its own, so that it never touches the user's settings or log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "support/TestData.h"

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);
    SetProfile(std::make_unique<CFileProfile>(ProfilePath()));
    MakeDirectories(Library());
    WriteLibraryFile("LDConfig.ldr",
                     "0 LDraw.org Configuration File\r\n"
                     "0 !COLOUR Black CODE 0 VALUE #1B2A34 EDGE #808080\r\n"
                     "0 !COLOUR Dark_Bluish_Grey CODE 72 VALUE #646464 EDGE #333333\r\n"
                     "0 !COLOUR Trans_Clear CODE 47 VALUE #FCFCFC EDGE #C3C3C3 ALPHA 128\r\n");
    TheProfile().WriteProfileString("Settings", "Zebpath", Library());
    thePrivateColorsFlag = 0;
  }
  void TearDown() override {
    theTracer.Close();
    SetProfile(nullptr);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
  }

  std::string ProfilePath() const { return scratch / "profile.conf"; }
  std::string Library() const { return scratch / "lib"; }
  std::string CfgPath() const { return scratch / "lib/Plandor.cfg"; }
  void WriteLibraryFile(const std::string& name, const std::string& text) {
    ASSERT_TRUE(WriteFileBytes(Library() + "/" + name, text));
  }
  // Starts the log in the test's state folder; Log() reads what was written.
  void OpenLog() {
    theTracer.Close();
    ASSERT_EQ(theTracer.Open("Plandor"), 1);
  }
  std::string Log() const { return ReadFileBytes(scratch / "state/Plandor/Plandor.log"); }
  // A fresh profile object over the same file, as the next run of the program sees it.
  void ReopenProfile() { SetProfile(std::make_unique<CFileProfile>(ProfilePath())); }

  CScratchDir scratch;
};

inline std::string LE32(uint32_t v) {
  std::string s;
  for (int k = 0; k < 4; ++k) s += static_cast<char>((v >> (8 * k)) & 0xFF);
  return s;
}
