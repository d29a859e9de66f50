// The part generator dialogs: each opens on its values, OK takes the typed ones (and holds the
// built geometry), Cancel leaves the caller's values as they were, and a value outside the
// builders' bounds keeps the dialog open without building anything.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <functional>

#include "GuiTest.h"
#include "config/Settings.h"
#include "PreviewPicture.h"
#include "ViewTestSupport.h"
#include "dialogs/ArrowGeneratorDlg.h"
#include "dialogs/GeneratorEdit.h"
#include "dialogs/HoseGeneratorDlg.h"
#include "dialogs/ModelPreview.h"
#include "dialogs/PlateGeneratorDlg.h"
#include "dialogs/RubberBeltDlg.h"
#include "dialogs/SpringDlg.h"
#include "support/ScriptedPrompt.h"

namespace {

wxTextCtrl* Text(int dialogId, int id) {
  wxWindow* dialog = wxWindow::FindWindowById(dialogId);
  return dialog ? dynamic_cast<wxTextCtrl*>(dialog->FindWindow(id)) : nullptr;
}

void Press(int dialogId, int button) {
  wxWindow* dialog = wxWindow::FindWindowById(dialogId);
  ASSERT_NE(dialog, nullptr);
  wxWindow* b = dialog->FindWindow(button);
  ASSERT_NE(b, nullptr);
  wxCommandEvent event(wxEVT_BUTTON, button);
  event.SetEventObject(b);
  b->ProcessWindowEvent(event);
}

// While the dialog runs: checks the shown text of a field, types a new one and presses a button.
void AnswerWith(int dialogId, int field, const std::string& shown, const std::string& typed, int button,
                bool* outputEnabled = nullptr) {
  wxTheApp->CallAfter([=] {
    wxTextCtrl* text = Text(dialogId, field);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetValue().utf8_string(), shown);
    if (outputEnabled) {
      auto* radio = dynamic_cast<wxRadioButton*>(wxWindow::FindWindowById(dialogId)->FindWindow(1410));
      *outputEnabled = radio && radio->IsEnabled();
    }
    text->SetValue(wxString::FromUTF8(typed));
    Press(dialogId, button);
  });
}

struct DialogCase {
  const char* what;
  int dialogId, field;
  const char* shown;  // the field's default
  const char* typed;
  // Runs the dialog; returns the field's value after it and whether OK was returned.
  std::function<bool(double&)> run;
};

template <class Dialog, class Member>
std::function<bool(double&)> RunNew(Member member) {
  return [member](double& value) {
    Dialog dialog(nullptr);
    const bool ok = dialog.ShowModal() == wxID_OK;
    value = static_cast<double>(dialog.m_params.*member);
    if (ok) {
      EXPECT_GT(dialog.m_file.GetCount(), 0u) << "the built geometry";
    }
    return ok;
  };
}

TEST(GeneratorDlg, EachOpensOnItsDefaultsAndOkTakesTheTypedValue) {
  REQUIRE_GUI();
  CScriptedPrompt prompt;
  const DialogCase cases[] = {
      {"spring", 231, 1001, "3", "5", RunNew<CSpring2datDlg>(&SpringParams::revolutions)},
      {"belt", 102, 1000, "64", "80", RunNew<CrubberbeltDlg>(&BeltParams::xDistance)},
      {"hose", 232, 1014, "50", "20", RunNew<CHoseGeneratorDlg>(&HoseParams::steps)},
      {"arrow", 233, 1416, "12", "14", RunNew<CArrowGenerator>(&ArrowParams::l1)},
      {"plate", 236, 1366, "7", "9", RunNew<CPlateGenerator>(&PlateParams::width)},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.what);
    AnswerWith(c.dialogId, c.field, c.shown, c.typed, wxID_OK);
    double value = 0;
    EXPECT_TRUE(c.run(value));
    EXPECT_EQ(value, std::stod(c.typed));
  }
}

TEST(GeneratorDlg, EditingAPartShowsItsValuesAndCancelChangesNothing) {
  REQUIRE_GUI();
  CScriptedPrompt prompt;
  SpringParams spring;
  spring.revolutions = 7;
  bool outputEnabled = true;
  AnswerWith(231, 1001, "7", "9", wxID_CANCEL, &outputEnabled);
  EXPECT_FALSE(EditSpringInDialog(nullptr, spring));
  EXPECT_EQ(spring.revolutions, 7);
  EXPECT_FALSE(outputEnabled) << "no output choice when editing a part";
  AnswerWith(231, 1001, "7", "9", wxID_OK);
  EXPECT_TRUE(EditSpringInDialog(nullptr, spring));
  EXPECT_EQ(spring.revolutions, 9);

  PlateParams plate;
  plate.width = 12;
  AnswerWith(236, 1366, "12", "3", wxID_CANCEL);
  EXPECT_FALSE(EditPlateInDialog(nullptr, plate));
  EXPECT_EQ(plate.width, 12);
  BeltParams belt;
  AnswerWith(102, 1002, "40", "30", wxID_OK);
  EXPECT_TRUE(EditRubberBeltInDialog(nullptr, belt));
  EXPECT_EQ(belt.r1, 30);
}

// Values beyond the bounds (a million revolutions, a plate of 100 000 studs, a height that is no
// multiple of 4, a letter) keep the dialog open with a beep; Cancel then leaves.
TEST(GeneratorDlg, OkRefusesValuesOutsideTheBounds) {
  REQUIRE_GUI();
  struct Case {
    const char* what;
    int dialogId, field;
    const char* typed;
    std::function<int()> run;
  };
  const Case cases[] = {
      {"spring revolutions", 231, 1001, "1000000", [] { return CSpring2datDlg(nullptr).ShowModal(); }},
      {"spring letter", 231, 1000, "x", [] { return CSpring2datDlg(nullptr).ShowModal(); }},
      {"plate width", 236, 1366, "100000", [] { return CPlateGenerator(nullptr).ShowModal(); }},
      {"plate height", 236, 1178, "6", [] { return CPlateGenerator(nullptr).ShowModal(); }},
      {"hose steps", 232, 1014, "2000000000", [] { return CHoseGeneratorDlg(nullptr).ShowModal(); }},
      {"belt precision", 102, 1015, "0", [] { return CrubberbeltDlg(nullptr).ShowModal(); }},
      {"arrow W2 over W1", 233, 1025, "11", [] { return CArrowGenerator(nullptr).ShowModal(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CScriptedPrompt prompt;
    const int dialogId = c.dialogId, field = c.field;
    const std::string typed = c.typed;
    wxTheApp->CallAfter([&prompt, dialogId, field, typed] {
      wxTextCtrl* text = Text(dialogId, field);
      ASSERT_NE(text, nullptr);
      text->SetValue(wxString::FromUTF8(typed));
      Press(dialogId, wxID_OK);
      EXPECT_EQ(prompt.beeps, 1);
      EXPECT_TRUE(wxWindow::FindWindowById(dialogId)->IsShown());
      Press(dialogId, wxID_CANCEL);
    });
    EXPECT_EQ(c.run(), wxID_CANCEL);
  }
}

}  // namespace

namespace {

void Spin(wxWindow& dialog, int spinId, bool up) {
  wxWindow* spin = dialog.FindWindow(spinId);
  ASSERT_NE(spin, nullptr);
  wxSpinEvent event(up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, spinId);
  event.SetEventObject(spin);
  spin->ProcessWindowEvent(event);
}

std::string FieldText(wxWindow& dialog, int id) {
  auto* text = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id));
  return text ? text->GetValue().utf8_string() : "?";
}

// The up-down rules: kept at a limit, a refused step undone, or a value set in place of one beyond
// the limit.
TEST(GeneratorDlg, UpDownRules) {
  REQUIRE_GUI();
  CSpring2datDlg spring(nullptr);
  spring.m_params.topRings = 0;
  spring.TransferDataToWindow();
  Spin(spring, 1394, false);
  EXPECT_EQ(FieldText(spring, 1008), "0") << "T kept at 0";
  Spin(spring, 1397, true);
  EXPECT_EQ(FieldText(spring, 1001), "4");
  EXPECT_EQ(spring.m_params.revolutions, 4);
  Spin(spring, 1399, false);
  EXPECT_EQ(FieldText(spring, 1003), "1");
  Spin(spring, 1399, false);
  EXPECT_EQ(FieldText(spring, 1003), "1") << "S refused at 0";

  CrubberbeltDlg belt(nullptr);
  belt.TransferDataToWindow();
  Spin(belt, 1397, true);
  EXPECT_EQ(FieldText(belt, 1001), "-32") << "every step from -32 is negative and undone";
  Spin(belt, 1396, true);
  EXPECT_EQ(FieldText(belt, 1000), "74");

  CPlateGenerator plate(nullptr);
  plate.TransferDataToWindow();
  auto* height = dynamic_cast<wxTextCtrl*>(plate.FindWindow(1178));
  height->SetValue("6");
  Spin(plate, 1421, true);
  EXPECT_EQ(FieldText(plate, 1178), "10");
  height->SetValue("6");
  Spin(plate, 1421, false);
  EXPECT_EQ(FieldText(plate, 1178), "4") << "2 is set to 4";
  auto* width = dynamic_cast<wxTextCtrl*>(plate.FindWindow(1366));
  width->SetValue("1");
  Spin(plate, 1423, false);
  EXPECT_EQ(FieldText(plate, 1366), "1") << "0 is set to 1";
}

// While typing, the numeric prefix counts and the geometry follows; a set outside the bounds
// builds nothing.
TEST(GeneratorDlg, TypingRebuildsFromThePrefix) {
  REQUIRE_GUI();
  CSpring2datDlg spring(nullptr);
  spring.TransferDataToWindow();
  const size_t built = spring.m_file.GetCount();
  EXPECT_GT(built, 0u);
  dynamic_cast<wxTextCtrl*>(spring.FindWindow(1001))->SetValue("6x");
  EXPECT_EQ(spring.m_params.revolutions, 6);
  EXPECT_GT(spring.m_file.GetCount(), built);
  dynamic_cast<wxTextCtrl*>(spring.FindWindow(1001))->SetValue("1e9");
  EXPECT_EQ(spring.m_file.GetCount(), 0u);
}

// The preview shows the generated part with its grid as soon as the dialog is up, and draws the
// new geometry after a value is typed. (The belt is drawn from its own quads and the hose is left
// out: their other forms are made of library parts.)
TEST(GeneratorDlg, PreviewDrawsThePartAndFollowsTheFields) {
  REQUIRE_GUI();
  CScriptedPrompt prompt;
  CViewSettingsScope settings;
  struct PreviewCase {
    const char* what;
    int dialogId, field;
    const char* typed;
    std::function<void()> run;
  };
  const PreviewCase cases[] = {
      {"spring", 231, 1001, "5", [] { CSpring2datDlg(nullptr).ShowModal(); }},
      {"belt", 102, 1000, "80",
       [] {
         CrubberbeltDlg belt(nullptr);
         belt.m_params.useCylinder = 0;
         belt.ShowModal();
       }},
      {"arrow", 233, 1416, "20", [] { CArrowGenerator(nullptr).ShowModal(); }},
      {"plate", 236, 1366, "9", [] { CPlateGenerator(nullptr).ShowModal(); }},
  };
  for (const PreviewCase& c : cases) {
    SCOPED_TRACE(c.what);
    int before = 0, after = 0;
    bool changed = false;
    wxTheApp->CallAfter([&] {
      wxWindow* dialog = wxWindow::FindWindowById(c.dialogId);
      auto* preview = dialog ? dynamic_cast<CModelPreview*>(dialog->FindWindow(1121)) : nullptr;
      if (preview) {
        EXPECT_TRUE(preview->State().GetMouseRotation());
        before = DrawnPixels(*preview);
        const std::vector<uint8_t> first = PictureBytes(*preview);
        Text(c.dialogId, c.field)->SetValue(c.typed);
        after = DrawnPixels(*preview);
        changed = PictureBytes(*preview) != first;
      }
      Press(c.dialogId, wxID_CANCEL);
    });
    c.run();
    EXPECT_GT(before, 0) << "drawn on opening";
    EXPECT_GT(after, 0) << "drawn after the change";
    EXPECT_TRUE(changed);
  }
}

// The plate opens in the default view and in its own grey; the others face the front.
TEST(GeneratorDlg, PlatePreviewUsesTheDefaultViewAndItsColour) {
  REQUIRE_GUI();
  CPlateGenerator plate(nullptr);
  plate.TransferDataToWindow();
  const CModelPreviewState& state = plate.GetPreview()->State();
  EXPECT_EQ(state.GetColor(), 0x1A0A0A0u);
  EXPECT_EQ(state.GetModel(), &plate.m_file);
  EXPECT_EQ(state.GetBaseMatrix().m, theDefaultViewMatrix.m);
  CHoseGeneratorDlg hose(nullptr);
  hose.TransferDataToWindow();
  EXPECT_EQ(hose.GetPreview()->State().GetModel(), &hose.m_file);
  EXPECT_TRUE(hose.GetPreview()->State().GetMouseRotation());
  EXPECT_EQ(hose.GetPreview()->State().GetBaseMatrix().m, CMatrix3::Identity().m);
}

}  // namespace
