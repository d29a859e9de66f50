// The colour windows under a display: the colour dialog and the custom colour dialog open on
// their values, OK hands back what was chosen and Cancel changes nothing; the colour bar recolours
// the selection in edit mode only.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/aui/framemanager.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <cstring>

#include "GuiTest.h"
#include "app/ColorBar.h"
#include "app/DocumentHost.h"
#include "config/ColorSource.h"
#include "config/ColorTable.h"
#include "dialogs/ColorButton.h"
#include "dialogs/ColorDlg.h"
#include "dialogs/CustomColorDlg.h"
#include "dialogs/HSVBox.h"
#include "dialogs/SettingsValidators.h"
#include "document/DocModel.h"

namespace {

std::string Name(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }

class ColorDialogsTest : public DocumentTest {
 protected:
  void SetUp() override {
    std::memcpy(saved, theDefaultColors, sizeof(saved));
    BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
    std::memcpy(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors));
    ColorDlgSortTab = 0;
  }
  void TearDown() override {
    SetColorTableSource(nullptr);
    std::memcpy(theDefaultColors, saved, sizeof(saved));
    ColorDlgSortTab = 1;
  }
  static std::string Text(wxWindow& dialog, int id) {
    return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id))->GetValue().utf8_string();
  }
  static void SetText(wxWindow& dialog, int id, const std::string& text) {
    dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id))->ChangeValue(wxString::FromUTF8(text));
  }
  static void Press(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
  }
  static CColorButton* Swatch(wxWindow& dialog, int i) {
    return dynamic_cast<CColorButton*>(dialog.FindWindow(CColorDlg::kFirstSwatch + i));
  }
  ColorEntry saved[kColorCount];
};

TEST_F(ColorDialogsTest, ColorDlgShowsTheColourAndOkHandsBackTheClickedSwatch) {
  REQUIRE_GUI();
  CColorDlg dialog(nullptr);
  dialog.state.colour = 4;
  std::string name, number, title;
  bool defineEnabled = true;
  dialog.CallAfter([&] {
    name = Text(dialog, CColorDlg::kNameEdit);
    number = Text(dialog, CColorDlg::kNumberEdit);
    title = dialog.GetTitle().utf8_string();
    defineEnabled = dialog.FindWindow(CColorDlg::kDefine)->IsEnabled();
    Swatch(dialog, 9)->OnLeftDown();
    Swatch(dialog, 9)->OnLeftUp();
    Press(dialog, wxID_OK);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(name, Name(theDefaultColors[4]));
  EXPECT_EQ(number, "4");
  EXPECT_EQ(title, "Select Color: - 0-31");
  EXPECT_FALSE(defineEnabled);
  EXPECT_EQ(dialog.state.colour, 9u);
  EXPECT_EQ(dialog.state.paletteChanged, 0);
}

TEST_F(ColorDialogsTest, SettingsColourCancelChangesNothingAndRestrictsTo31) {
  REQUIRE_GUI();
  unsigned colour = 40;
  // The settings button opens the dialog on its value; a restricted value above 31 shows 15.
  std::string number;
  auto cancel = [&] {
    for (wxWindow* w : wxTopLevelWindows)
      if (auto* d = dynamic_cast<CColorDlg*>(w)) {
        number = Text(*d, CColorDlg::kNumberEdit);
        Swatch(*d, 3)->OnLeftDown();
        Press(*d, wxID_CANCEL);
      }
  };
  wxTheApp->CallAfter(cancel);
  EXPECT_FALSE(AskColorNumber(nullptr, colour, 31));
  EXPECT_EQ(colour, 40u);
  EXPECT_EQ(number, "15");
}

TEST_F(ColorDialogsTest, TypedNumbersAreTakenOrRefused) {
  REQUIRE_GUI();
  CColorDlg dialog(nullptr);
  dialog.state.colour = 4;
  dialog.InitDialog();
  SetText(dialog, CColorDlg::kNumberEdit, "0x1A");
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.state.colour, 26u);
  SetText(dialog, CColorDlg::kNumberEdit, "abc");
  EXPECT_FALSE(dialog.TransferDataFromWindow());
  EXPECT_EQ(Text(dialog, CColorDlg::kNumberEdit), "26");
  SetText(dialog, CColorDlg::kNumberEdit, "134217727");
  dialog.OnNumberEdit();
  EXPECT_EQ(Text(dialog, CColorDlg::kNumberEdit), "0x07FFFFFF");
  EXPECT_EQ(Text(dialog, CColorDlg::kNameEdit), "Custom color");
}

TEST_F(ColorDialogsTest, LoadDefaultColorsCountsEvenAfterCancel) {
  REQUIRE_GUI();
  CColorTable table;
  table.LoadLDConfigCopy();
  SetColorTableSource([&table] { return &table; });
  prompt.Answer(PromptAnswer::Yes);
  CColorDlg dialog(nullptr);
  dialog.state.colour = 4;
  dialog.InitDialog();
  dialog.OnTableButton(CColorDlg::kLoadDefault);
  EXPECT_TRUE(table.IsShared());
  EXPECT_EQ(dialog.state.paletteChanged, 1);
}

TEST_F(ColorDialogsTest, CustomDialogOpensOnADitheredColourAndOkBuildsTheEditedOne) {
  REQUIRE_GUI();
  CCustomColorDlg dialog(nullptr);
  dialog.state.customMode = 1;
  dialog.state.colour = 0x600FF80;
  std::string r, g, b, edgeB;
  int mode = -1;
  bool nameEnabled = true;
  dialog.CallAfter([&] {
    r = Text(dialog, CCustomColorDlg::kMainR);
    g = Text(dialog, CCustomColorDlg::kMainG);
    b = Text(dialog, CCustomColorDlg::kMainB);
    edgeB = Text(dialog, CCustomColorDlg::kEdgeB);
    mode = dynamic_cast<wxChoice*>(dialog.FindWindow(CCustomColorDlg::kModeList))->GetSelection();
    nameEnabled = dialog.FindWindow(CCustomColorDlg::kNameEdit)->IsEnabled();
    SetText(dialog, CCustomColorDlg::kMainR, "0");
    Press(dialog, wxID_OK);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(r + " " + g + " " + b, "255 136 0");
  EXPECT_EQ(edgeB, "255");
  EXPECT_EQ(mode, 1);
  EXPECT_FALSE(nameEnabled);
  EXPECT_EQ(dialog.state.colour, 0x600F080u);
}

TEST_F(ColorDialogsTest, DefineWritesTheSlotOnOkAndNothingOnCancel) {
  REQUIRE_GUI();
  CColorTable table;
  SetColorTableSource([&table] { return &table; });
  for (bool ok : {false, true}) {
    CCustomColorDlg dialog(nullptr);
    dialog.state.colour = 100;
    std::string name;
    dialog.CallAfter([&] {
      name = Text(dialog, CCustomColorDlg::kNameEdit);
      SetText(dialog, CCustomColorDlg::kNameEdit, "Sky");
      SetText(dialog, CCustomColorDlg::kMainR, "10");
      Press(dialog, ok ? wxID_OK : wxID_CANCEL);
    });
    EXPECT_EQ(dialog.ShowModal(), ok ? wxID_OK : wxID_CANCEL);
    EXPECT_EQ(name, Name(theLDConfigColors[100]));
    EXPECT_EQ(table.IsShared(), !ok);
    EXPECT_EQ(dialog.Defined(), ok);
  }
  EXPECT_EQ(Name(table.GetEntries()[100]), "Sky");
  EXPECT_EQ(table.GetEntries()[100].red, 10);
  EXPECT_EQ(Name(theDefaultColors[100]), Name(theLDConfigColors[100]));
}

TEST_F(ColorDialogsTest, ReleasingTheHueFieldSetsTheMainColour) {
  REQUIRE_GUI();
  CCustomColorDlg dialog(nullptr);
  dialog.state.customMode = 1;
  dialog.state.colour = 0x2808080;
  dialog.InitDialog();
  auto* field = dynamic_cast<CHSVBox*>(dialog.FindWindow(CCustomColorDlg::kMainField));
  wxSize size = field->GetClientSize();
  field->Release(size.x - 1, 0);  // hue 255, saturation 255
  EXPECT_EQ(Text(dialog, CCustomColorDlg::kMainH), "255");
  EXPECT_EQ(Text(dialog, CCustomColorDlg::kMainS), "255");
  EXPECT_EQ(Text(dialog, CCustomColorDlg::kMainV), "128");
  RgbValue rgb = HsvToRgb(255, 255, 128);
  EXPECT_EQ(Text(dialog, CCustomColorDlg::kMainR), std::to_string(rgb.red));
  EXPECT_EQ(dialog.state.colour, 0x2000000u + (rgb.red << 16) + (rgb.green << 8) + rgb.blue);
}

// Define... on colour 100 redefines the slot in the model's table and reports the change; on
// colour 40 it is not offered, since nothing would be stored.
TEST_F(ColorDialogsTest, DefineFromTheColourDialogReportsAChangedPalette) {
  REQUIRE_GUI();
  CColorTable table;
  SetColorTableSource([&table] { return &table; });
  CColorDlg dialog(nullptr);
  dialog.state.colour = 100;
  dialog.InitDialog();
  EXPECT_TRUE(dialog.FindWindow(CColorDlg::kDefine)->IsEnabled());
  wxTheApp->CallAfter([&] {
    for (wxWindow* w : wxTopLevelWindows)
      if (auto* d = dynamic_cast<CCustomColorDlg*>(w)) {
        SetText(*d, CCustomColorDlg::kMainG, "200");
        Press(*d, wxID_OK);
      }
  });
  dialog.OnDefine();
  EXPECT_EQ(dialog.state.paletteChanged, 1);
  EXPECT_FALSE(table.IsShared());
  EXPECT_EQ(table.GetEntries()[100].green, 200);
  EXPECT_EQ(dialog.state.colour, 100u);
  SetText(dialog, CColorDlg::kNumberEdit, "40");
  dialog.OnNumberEdit();
  EXPECT_FALSE(dialog.FindWindow(CColorDlg::kDefine)->IsEnabled());
}

class ColorBarTest : public ColorDialogsTest {
 protected:
  void SetUp() override {
    ColorDialogsTest::SetUp();
    LoadDocument(doc, "2 24 0 0 0 10 0 0\n2 24 0 0 0 0 10 0\n");
    for (int i = 0; i < 16; ++i) theSettings.ColorBarColors[i] = i;
    theSettings.ColorBarColors[5] = 300;
  }
  void TearDown() override {
    ColorDialogsTest::TearDown();
  }
  SettingsSnapshot m_barSettings;
};

TEST_F(ColorBarTest, ASwatchRecoloursTheSelectionInEditModeOnly) {
  REQUIRE_GUI();
  auto* frame = new wxFrame(nullptr, wxID_ANY, "bar", wxDefaultPosition, wxSize(500, 100));
  auto* bar = new CColorBar();
  bar->SetDocument(&doc);
  ASSERT_TRUE(bar->Create(frame, 116, "ColorBar", {385, 26}, false));
  frame->Show();
  PumpEvents(50);
  EXPECT_EQ(bar->GetButtonPrompt(CColorBar::kFirstSwatchId + 5), "Custom color");
  EXPECT_EQ(bar->GetButtonPrompt(CColorBar::kFirstSwatchId + 4), Name(theDefaultColors[4]));
  EXPECT_EQ(bar->GetButtonPrompt(1080), "");
  EXPECT_EQ(bar->GetSwatch(4)->GetName(), "CBut_4");

  Model().SelectOnly(1);
  bar->GetSwatch(4)->OnLeftDown();
  EXPECT_TRUE(bar->GetSwatch(4)->IsPressed());
  bar->GetSwatch(4)->OnLeftUp();
  EXPECT_EQ(Model().GetAt(1)->GetColor(), 4);
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 24);

  // Nothing selected: the colour becomes the default of new parts.
  Model().SelectOnly(-1);
  bar->GetSwatch(2)->OnLeftDown();
  bar->GetSwatch(2)->OnLeftUp();
  EXPECT_EQ(theSettings.DefaultColor, 2u);

  // In view mode a click does nothing, not even the pressed look.
  doc.OnViewMode();
  Model().SelectOnly(0);
  bar->GetSwatch(7)->OnLeftDown();
  EXPECT_FALSE(bar->GetSwatch(7)->IsPressed());
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 24);
  frame->Destroy();
  PumpEvents(20);
}

TEST_F(ColorBarTest, TheLayoutFollowsTheBarsHeight) {
  REQUIRE_GUI();
  auto* frame = new wxFrame(nullptr, wxID_ANY, "bar", wxDefaultPosition, wxSize(500, 500));
  auto* bar = new CColorBar();
  bar->SetDocument(&doc);
  ASSERT_TRUE(bar->Create(frame, 116, "ColorBar", {385, 26}, false));
  frame->Show();
  bar->SetSize(0, 0, 90, 120);
  PumpEvents(50);
  EXPECT_EQ(bar->GetSwatch(15)->GetPosition(), wxPoint(60, 60));
  EXPECT_EQ(bar->GetMoreButton()->GetPosition(), wxPoint(27, 80));
  bar->SetSize(0, 0, 30, 400);
  PumpEvents(50);
  EXPECT_EQ(bar->GetMoreButton()->GetLabel(), "M");
  frame->Destroy();
  PumpEvents(20);
}

// Docked at a side the bar is one column with "M" below it; floating it is two columns.
TEST_F(ColorBarTest, DockedAtASideTheBarIsOneColumn) {
  REQUIRE_GUI();
  auto* frame = new wxFrame(nullptr, wxID_ANY, "bar", wxDefaultPosition, wxSize(800, 600));
  {
    wxAuiManager aui(frame);
    auto* bar = new CColorBar();
  bar->SetDocument(&doc);
    ASSERT_TRUE(bar->Create(frame, 116, "ColorBar", {46, 189}, true));
    bar->SetHorzSize({385, 32});
    bar->AddToManager(aui, bar->MakePaneInfo("Colorbar", "Colorbar").Left());
    frame->Show();
    aui.Update();
    PumpEvents(100);
    bar->FollowPlace();
    aui.Update();
    PumpEvents(100);
    EXPECT_EQ(aui.GetPane(bar).best_size, wxSize(27, 360));
    EXPECT_EQ(bar->GetSwatch(15)->GetPosition(), wxPoint(0, 300));
    EXPECT_EQ(bar->GetMoreButton()->GetLabel(), "M");
    // Floating, a resize ends in one of the bar's shapes: made 120 high, four rows of four.
    wxAuiPaneInfo& pane = aui.GetPane(bar);
    pane.Float();
    aui.Update();
    PumpEvents(50);
    bar->FollowPlace();
    EXPECT_EQ(bar->GetFloatSize(), (BarSize{46, 189}));
    pane.FloatingSize(60, 120);
    bar->FollowPlace();
    EXPECT_EQ(bar->GetFloatSize(), (BarSize{86, 110}));
    pane.FloatingSize(400, 110);
    bar->FollowPlace();
    EXPECT_EQ(bar->GetFloatSize(), (BarSize{385, 26}));
    aui.UnInit();
  }
  frame->Destroy();
  PumpEvents(20);
}

}  // namespace
