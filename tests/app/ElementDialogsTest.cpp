// One run per family of element dialogs through the program's element editor: the dialog opens
// on the element's values, OK hands the typed values to the element, Cancel changes nothing, and
// a malformed number is refused with a message while the dialog stays open.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <functional>

#include "GuiTest.h"
#include "app/WxElementEditor.h"
#include "dialogs/BmpView.h"
#include "dialogs/DlgBgnd.h"
#include "dialogs/DlgEnterPosMat.h"
#include "dialogs/DlgRotPoint.h"
#include "dialogs/DlgSortParameters.h"
#include "model/QvBfc.h"
#include "model/QvBufExchg.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/QvRotateCmd.h"
#include "model/QvTrianglePart.h"
#include "model/TextHandler.h"
#include "render/Dib.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

wxWindow* NoParent() { return nullptr; }

std::string Written(CQvPart& e) {
  CArrayTextHandler out;
  e.Write(out);
  std::string s;
  for (const std::string& line : out.GetLines()) s += line;
  return s;
}

void Press(wxWindow* button) {
  ASSERT_NE(button, nullptr);
  wxCommandEvent e(wxEVT_BUTTON, button->GetId());
  e.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(e);
}

template <class T>
T* Find(wxWindow& dialog, const char* name) {
  return dynamic_cast<T*>(dialog.FindWindow(name));
}

class ElementDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetElementEditor(&m_editor);
  }
  void TearDown() override {
    SetElementEditor(nullptr);
    PumpEvents(10);
  }
  // Runs the action on the modal dialog with the given id once it is open.
  static void WhenOpen(int dialogId, std::function<void(wxDialog&)> action) {
    wxTheApp->CallAfter([dialogId, action] {
      auto* dialog = dynamic_cast<wxDialog*>(wxWindow::FindWindowById(dialogId));
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->IsModal());
      action(*dialog);
    });
  }

  CWxElementEditor m_editor{NoParent};
  CScriptedPrompt m_prompt;
  CQvFile m_file;
};

TEST_F(ElementDialogsTest, PrimitiveShowsTheVerticesAndRefusesAMalformedNumber) {
  CQvTrianglePart triangle;
  ASSERT_TRUE(triangle.Parse("3 4 1 2 3 4 5 6 7 8.5 9"));
  const std::string before = Written(triangle);
  WhenOpen(185, [](wxDialog& d) {
    EXPECT_EQ(d.GetTitle(), "Triangle Vertices");
    EXPECT_EQ(Find<wxTextCtrl>(d, "V3Y")->GetValue(), "8.5");
    EXPECT_EQ(d.FindWindow("V4X"), nullptr);  // three rows only
    Press(d.FindWindow(wxID_CANCEL));
  });
  EXPECT_EQ(triangle.Edit(m_file), 0);
  EXPECT_EQ(Written(triangle), before);

  WhenOpen(185, [this](wxDialog& d) {
    Find<wxTextCtrl>(d, "V1X")->SetValue("1,5");
    Press(d.FindWindow(wxID_OK));
    EXPECT_TRUE(d.IsModal());  // refused: still open
    EXPECT_EQ(m_prompt.shown.size(), 1u);
    Find<wxTextCtrl>(d, "V1X")->SetValue("-10");
    Press(d.FindWindow("Swap"));
    EXPECT_EQ(Find<wxTextCtrl>(d, "V1X")->GetValue(), "7");
    Press(d.FindWindow(wxID_OK));
  });
  EXPECT_EQ(triangle.Edit(m_file), 2);
  EXPECT_EQ(Written(triangle), "3 4 7 8.5 9 4 5 6 -10 2 3\n");
}

TEST_F(ElementDialogsTest, MetaDialogsShowAndApplyTheirValues) {
  CQvBfc bfc;
  ASSERT_TRUE(bfc.Parse("0 BFC CERTIFY CCW"));
  WhenOpen(186, [](wxDialog& d) {
    EXPECT_EQ(Find<wxChoice>(d, "Certification")->GetSelection(), 2);
    EXPECT_EQ(Find<wxChoice>(d, "Winding")->GetSelection(), 1);
    Find<wxChoice>(d, "Winding")->SetSelection(2);
    Press(d.FindWindow(wxID_OK));
  });
  EXPECT_EQ(bfc.Edit(m_file), 2);
  EXPECT_EQ(Written(bfc), "0 BFC CERTIFY CW\n");

  CQvBufExchg buffer;
  ASSERT_TRUE(buffer.Parse("0 BUFEXCHG B STORE"));
  WhenOpen(200, [](wxDialog& d) {
    auto* letters = Find<wxChoice>(d, "Buffer");
    EXPECT_EQ(letters->GetCount(), 26u);
    EXPECT_EQ(letters->GetString(25), "Z");
    EXPECT_EQ(letters->GetSelection(), 1);
    letters->SetSelection(25);
    Find<wxCheckBox>(d, "Retrieve")->SetValue(true);
    Press(d.FindWindow(wxID_OK));
  });
  EXPECT_EQ(buffer.Edit(m_file), 1);
  EXPECT_EQ(Written(buffer), "0 BUFEXCHG Z RETRIEVE\n");

  CQvCommentPart comment("old words", kCommentPlain);
  WhenOpen(145, [](wxDialog& d) {
    EXPECT_EQ(Find<wxTextCtrl>(d, "Text")->GetValue(), "old words");
    EXPECT_TRUE(Find<wxCheckBox>(d, "OldStyle")->GetValue());
    Find<wxTextCtrl>(d, "Text")->SetValue("new words");
    Press(d.FindWindow(wxID_CANCEL));
  });
  EXPECT_EQ(comment.Edit(m_file), 0);
  EXPECT_EQ(Written(comment), "0 old words\n");
}

TEST_F(ElementDialogsTest, RotationStepAnglesAreCheckedAgainstTheirRange) {
  CQvRotateCmd step;
  ASSERT_TRUE(step.Parse("0 ROTSTEP 10 20 30 ABS"));
  WhenOpen(160, [this](wxDialog& d) {
    EXPECT_EQ(Find<wxTextCtrl>(d, "AngleY")->GetValue(), "20");
    EXPECT_TRUE(Find<wxRadioButton>(d, "Absolute")->GetValue());
    Find<wxTextCtrl>(d, "AngleX")->SetValue("400");
    Press(d.FindWindow(wxID_OK));
    ASSERT_EQ(m_prompt.shown.size(), 1u);
    EXPECT_EQ(m_prompt.shown[0].text, "Please enter a number between -360 and 360.");
    Find<wxTextCtrl>(d, "AngleX")->SetValue("-45");
    Find<wxRadioButton>(d, "Additive")->SetValue(true);
    Press(d.FindWindow(wxID_OK));
  });
  EXPECT_EQ(step.Edit(m_file), 1);
  EXPECT_EQ(Written(step), "0 ROTSTEP -45 20 30 ADD\n");
}

TEST_F(ElementDialogsTest, GroupNameMustBeNew) {
  GroupEdit data{"", {"Cab"}};
  WhenOpen(202, [this](wxDialog& d) {
    EXPECT_EQ(Find<wxTextCtrl>(d, "Name")->GetValue(), "Group name");
    Find<wxTextCtrl>(d, "Name")->SetValue("Cab");
    Press(d.FindWindow(wxID_OK));
    ASSERT_EQ(m_prompt.shown.size(), 1u);
    EXPECT_EQ(m_prompt.shown[0].text, "Name has already been used for another group!\nPlease insert a new name.");
    Find<wxTextCtrl>(d, "Name")->SetValue("Wheels");
    Press(d.FindWindow(wxID_OK));
  });
  ASSERT_TRUE(m_editor.EditGroup(data));
  EXPECT_EQ(data.name, "Wheels");
}

TEST_F(ElementDialogsTest, PositionAndOrientationRules) {
  CDlgEnterPosMat dialog(nullptr);
  dialog.m_noElement = 0;
  dialog.m_position = CVector3(10, 20, 30);
  dialog.m_matrix = CMatrix3(0, 0, 1, 0, 1, 0, -1, 0, 0);
  dialog.TransferDataToWindow();
  auto* absolute = Find<wxCheckBox>(dialog, "Absolute");
  auto* useVector = Find<wxCheckBox>(dialog, "UseVector");
  auto* useMatrix = Find<wxCheckBox>(dialog, "UseMatrix");
  auto* matrix = Find<wxTextCtrl>(dialog, "MatrixText");
  EXPECT_EQ(Find<wxTextCtrl>(dialog, "PosY")->GetValue(), "20");
  EXPECT_EQ(matrix->GetValue(), "0 0 1 0 1 0 -1 0 0");
  EXPECT_TRUE(absolute->GetValue() && absolute->IsEnabled());
  EXPECT_FALSE(useVector->IsEnabled());  // a vector only turns relatively
  // Eight numbers give the starting matrix back.
  useMatrix->SetValue(true);
  matrix->ChangeValue("1 0 0 0 1 0 0 0");
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.m_matrix.m[2], 1);
  EXPECT_EQ(matrix->GetValue(), "0 0 1 0 1 0 -1 0 0");
  EXPECT_FALSE(dialog.m_relative);
  // Relative, by a quarter turn about z.
  absolute->SetValue(false);
  wxCommandEvent click(wxEVT_CHECKBOX, absolute->GetId());
  click.SetEventObject(absolute);
  absolute->GetEventHandler()->ProcessEvent(click);
  EXPECT_TRUE(useVector->IsEnabled());
  useVector->SetValue(true);
  useMatrix->SetValue(false);
  wxCommandEvent vectorClick(wxEVT_CHECKBOX, useVector->GetId());
  vectorClick.SetEventObject(useVector);
  useVector->GetEventHandler()->ProcessEvent(vectorClick);
  Find<wxTextCtrl>(dialog, "VecX")->ChangeValue("0");
  Find<wxTextCtrl>(dialog, "VecY")->ChangeValue("0");
  Find<wxTextCtrl>(dialog, "VecZ")->ChangeValue("1");
  Find<wxTextCtrl>(dialog, "Angle")->ChangeValue("90");
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_TRUE(dialog.m_relative);
  EXPECT_EQ(matrix->GetValue(), "0 -1 0 1 0 0 0 0 1");
  // A start without one element: origin, identity, relative, "Absolute values" off.
  CDlgEnterPosMat none(nullptr);
  none.m_position = CVector3(5, 5, 5);
  none.TransferDataToWindow();
  EXPECT_EQ(Find<wxTextCtrl>(none, "PosX")->GetValue(), "0");
  EXPECT_FALSE(Find<wxCheckBox>(none, "Absolute")->IsEnabled());
}

TEST_F(ElementDialogsTest, RotationPointsAreEditedOnACopy) {
  RotationPointEdit data;
  data.mode = 0;
  data.points = {RotationPoint{1, 2, 3, "Hinge", 1}};
  WhenOpen(218, [](wxDialog& d) {
    EXPECT_FALSE(Find<wxTextCtrl>(d, "Name")->IsEnabled());
    auto* dlg = static_cast<CDlgRotPoint*>(&d);
    dlg->Choose(CDlgRotPoint::kCustomChoice);
    EXPECT_EQ(Find<wxTextCtrl>(d, "Name")->GetValue(), "Hinge");
    dlg->OnNew();
    Find<wxTextCtrl>(d, "Name")->ChangeValue("Top");
    Find<wxTextCtrl>(d, "Y")->ChangeValue("-24");
    Find<wxCheckBox>(d, "Show")->SetValue(true);
    Press(d.FindWindow(wxID_OK));
  });
  RotationPointEdit edited = data;
  ASSERT_TRUE(m_editor.EditRotationPoint(edited));
  ASSERT_EQ(edited.points.size(), 2u);
  EXPECT_EQ(edited.points[1].name, "Top");
  EXPECT_EQ(edited.points[1].y, -24);
  EXPECT_EQ(edited.mode, 5);
  EXPECT_EQ(edited.show, 1);

  // Deleting the only point goes back to the part origin; Cancel hands nothing back.
  WhenOpen(218, [](wxDialog& d) {
    auto* dlg = static_cast<CDlgRotPoint*>(&d);
    dlg->Choose(CDlgRotPoint::kCustomChoice);
    dlg->OnDelete();  // the first point cannot be deleted
    EXPECT_EQ(Find<wxListBox>(d, "Points")->GetCount(), 1u);
    Press(d.FindWindow(wxID_CANCEL));
  });
  RotationPointEdit untouched = data;
  EXPECT_FALSE(m_editor.EditRotationPoint(untouched));
  EXPECT_EQ(untouched.points.size(), 1u);
}

TEST_F(ElementDialogsTest, BackgroundPreviewLoadsThePictureOrSaysWhy) {
  CScratchDir scratch;
  CDib picture;
  ASSERT_TRUE(picture.Create(4, 2, true));
  ASSERT_TRUE(picture.SaveBmp(scratch / "pic.bmp"));
  FILE* text = std::fopen((scratch / "notes.bmp").c_str(), "wb");
  ASSERT_NE(text, nullptr);
  std::fputs("not a picture", text);
  std::fclose(text);

  std::string name = scratch / "pic.bmp";
  WhenOpen(183, [&](wxDialog& d) {
    auto* view = dynamic_cast<CBmpView*>(d.FindWindow("BmpView"));
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->GetPicture(), nullptr);
    EXPECT_EQ(view->GetPicture()->GetWidth(), 4);
    Find<wxTextCtrl>(d, "FileName")->SetValue(wxString::FromUTF8(scratch / "other.bmp"));
    Press(d.FindWindow(wxID_OK));
  });
  ASSERT_TRUE(m_editor.EditBackground(name));
  EXPECT_EQ(name, scratch / "other.bmp");
  EXPECT_TRUE(m_prompt.shown.empty());

  CDlgBgnd missing(nullptr, scratch / "missing.bmp");
  missing.TransferDataToWindow();
  CDlgBgnd invalid(nullptr, scratch / "notes.bmp");
  invalid.TransferDataToWindow();
  ASSERT_EQ(m_prompt.shown.size(), 2u);
  EXPECT_EQ(m_prompt.shown[0].text, "Cannot open the file!");
  EXPECT_EQ(m_prompt.shown[1].text, "This is not a valid image file!");
}

TEST_F(ElementDialogsTest, SortOffersSelectedOnlyWithASelection) {
  CDlgSortParameters dialog(nullptr);
  dialog.m_hasSelection = false;
  dialog.m_selectedOnly = true;
  dialog.TransferDataToWindow();
  EXPECT_FALSE(Find<wxCheckBox>(dialog, "SelectedOnly")->IsEnabled());
  EXPECT_TRUE(Find<wxRadioButton>(dialog, "Position")->GetValue());
  Find<wxRadioButton>(dialog, "Part number")->SetValue(true);
  Find<wxCheckBox>(dialog, "Ascending")->SetValue(false);
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.m_sortKey, CDlgSortParameters::kByPartNumber);
  EXPECT_FALSE(dialog.m_ascending);
  EXPECT_FALSE(dialog.m_selectedOnly);
}

}  // namespace
