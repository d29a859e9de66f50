// The link text (what it opens, its colours before and after) and the picture preview.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>

#include "GuiTest.h"
#include "dialogs/ActiveStaticLink.h"
#include "dialogs/BmpView.h"
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

namespace {

wxImage Painted(const wxImage& picture, int w, int h) {
  wxBitmap target(w, h, 24);
  {
    wxMemoryDC dc(target);
    PaintPreview(dc, wxSize(w, h), picture);
  }
  return target.ConvertToImage();
}

TEST(BmpView, WithoutAPictureTheViewIsGrey) {
  REQUIRE_GUI();
  wxImage shown = Painted(wxImage(), 20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(shown.GetRed(x, y), 100) << x << "," << y;
      ASSERT_EQ(shown.GetGreen(x, y), 100);
      ASSERT_EQ(shown.GetBlue(x, y), 100);
    }
}

// A wide black picture in a square view: black in the middle band, white above and below.
TEST(BmpView, APictureIsFittedOnWhite) {
  REQUIRE_GUI();
  wxImage black(200, 100);
  black.SetRGB(wxRect(0, 0, 200, 100), 0, 0, 0);
  wxImage shown = Painted(black, 100, 100);
  EXPECT_EQ(shown.GetRed(50, 10), 255);   // above: rows 0-24
  EXPECT_EQ(shown.GetRed(50, 50), 0);     // the picture: rows 25-74
  EXPECT_EQ(shown.GetRed(50, 90), 255);   // below
  EXPECT_EQ(shown.GetRed(0, 30), 0);      // full width
}

}  // namespace
