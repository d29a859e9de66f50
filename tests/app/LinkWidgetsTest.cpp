// The link text: what it opens, and its colours before and after.
#include <gtest/gtest.h>
#include <wx/dialog.h>

#include "GuiTest.h"
#include "dialogs/ActiveStaticLink.h"
#include "support/ScriptedPrompt.h"

namespace {

TEST(ActiveStaticLink, OpensItsCaptionWhenNoTargetWasSet) {
  REQUIRE_GUI();
  CScriptedPrompt prompt;
  wxDialog dialog(nullptr, wxID_ANY, "Links");
  auto* link = new CActiveStaticLink(&dialog, wxID_ANY, "https://www.ldraw.org");
  std::vector<std::string> opened;
  link->SetLauncher([&](const std::string& t) {
    opened.push_back(t);
    return true;
  });
  EXPECT_TRUE(link->GetFont().GetUnderlined());
  EXPECT_EQ(link->GetForegroundColour(), wxColour(0, 0, 255));
  link->OpenLink();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://www.ldraw.org");
  EXPECT_TRUE(link->IsVisited());
  EXPECT_EQ(link->GetForegroundColour(), wxColour(128, 0, 128));
  EXPECT_EQ(prompt.beeps, 0);
}

TEST(ActiveStaticLink, AFailedOpenOnlyBeeps) {
  REQUIRE_GUI();
  CScriptedPrompt prompt;
  wxDialog dialog(nullptr, wxID_ANY, "Links");
  auto* link = new CActiveStaticLink(&dialog, wxID_ANY, "Home page", "/nowhere/at/all.html");
  std::string opened;
  link->SetLauncher([&](const std::string& t) {
    opened = t;
    return false;
  });
  link->OpenLink();
  EXPECT_EQ(opened, "/nowhere/at/all.html");
  EXPECT_EQ(prompt.beeps, 1);
  EXPECT_FALSE(link->IsVisited());
  EXPECT_EQ(link->GetForegroundColour(), wxColour(0, 0, 255));
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
