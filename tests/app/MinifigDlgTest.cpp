// The minifigure dialog and its command: the lists from the ini file or the built-in ones, a clear
// line for a missing ini file or part, OK adding the figure's parts where the output choice says,
// Cancel adding nothing.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/spinctrl.h>

#include <filesystem>

#include "GuiTest.h"
#include "app/CommandMap.h"
#include "app/MinifigCommands.h"
#include "config/IniFile.h"
#include "dialogs/MinifigDlg.h"
#include "document/DocModel.h"
#include "model/QvElement.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMinifigCommand = 32988;

// The default figure's parts, so that only the ones a case asks for are missing.
struct FigureLibrary {
  FigureLibrary() {
    fs::create_directories(dir / "parts");
    for (const char* name : {"4485.dat", "3626BP05.dat", "973.dat", "970.dat", "982.dat", "981.dat",
                             "983.dat", "971.dat", "972.dat", "4736.dat"})
      WriteFileBytes(dir / (std::string("parts/") + name), "0 part\n2 24 0 0 0 0 1 0\n");
  }
  CScratchDir dir;
};

class MinifigDlgTest : public DocumentTest {
 protected:
  FigureLibrary lib;
  CLibraryScope figureLibrary{lib.dir.Path(), 0};

  // While the dialog runs: a jet pack on the neck, the output choice, then OK or Cancel.
  void Answer(int output, int button) {
    wxTheApp->CallAfter([output, button] {
      auto* dialog = dynamic_cast<CMinifigDlg*>(wxWindow::FindWindowById(CMinifigDlg::kDialogId));
      ASSERT_NE(dialog, nullptr);
      auto* neck = dynamic_cast<wxChoice*>(dialog->FindWindow(1376));
      ASSERT_NE(neck, nullptr);
      neck->SetSelection(1);
      dialog->ReadControlsAndBuild();
      auto* box = dynamic_cast<wxRadioBox*>(dialog->FindWindow(CMinifigDlg::kOutputBox));
      ASSERT_NE(box, nullptr);
      box->SetSelection(output);
      wxWindow* control = dialog->FindWindow(button);
      wxCommandEvent event(wxEVT_BUTTON, button);
      event.SetEventObject(control);
      control->ProcessWindowEvent(event);
    });
  }
};

TEST_F(MinifigDlgTest, OkAddsTheFiguresPartsAndCancelChangesNothing) {
  REQUIRE_GUI();
  LoadDocument(doc, "0 base\n2 24 0 0 0 10 0 0\n");
  CCommandMap commands;
  BindMinifigCommands(commands, doc);
  ASSERT_TRUE(commands.QueryCommand(kMinifigCommand).enabled);
  const int undo = doc.GetUndoCount();

  Answer(0, wxID_CANCEL);
  commands.RunCommand(kMinifigCommand);
  EXPECT_EQ(Model().GetCount(), 2u);
  EXPECT_EQ(doc.GetUndoCount(), undo);

  Answer(0, wxID_OK);
  commands.RunCommand(kMinifigCommand);
  // Hat, head, jet pack, torso, hips, two arms, two hands, two legs; the empty slots add nothing.
  ASSERT_EQ(Model().GetCount(), 2u + 11);
  auto* head = dynamic_cast<CQvElement*>(Model().GetAt(3));
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->GetFileName(), "3626BP05.dat");
  EXPECT_EQ(head->GetColor(), 14u);
  EXPECT_NEAR(head->GetPosition().y, -27, 1e-6);  // lifted by the jet pack

  doc.OnViewMode();
  EXPECT_FALSE(commands.QueryCommand(kMinifigCommand).enabled);
}

TEST_F(MinifigDlgTest, ListsFromTheIniFileAndMessagesForWhatIsMissing) {
  REQUIRE_GUI();
  {
    CIniFile none("/nonexistent/Plandor.ini");
    CMinifigDlg dialog(nullptr, none);
    EXPECT_EQ(dynamic_cast<wxChoice*>(dialog.FindWindow(1374))->GetCount(), 8u);
    EXPECT_NE(dialog.GetMessage().Find("Plandor.ini"), wxNOT_FOUND);
    // Colour 0 and a part this library does not have.
    dynamic_cast<wxChoice*>(dialog.FindWindow(1376))->SetSelection(2);
    dialog.SetSlotColor(kSlotNeck, 4);
    EXPECT_NE(dialog.GetMessage().Find("3840.DAT"), wxNOT_FOUND);
    EXPECT_EQ(dialog.GetCreator().GetElement(kSlotNeck)->GetColor(), 4u);
  }
  CScratchDir dir;
  WriteFileBytes(dir / "Plandor.ini", "[HATS]\n\"Bare\" \"\" 0 1 0 0 0 1 0 0 0 1 0 0 0\n");
  CIniFile ini(dir / "Plandor.ini");
  CMinifigDlg dialog(nullptr, ini);
  auto* hats = dynamic_cast<wxChoice*>(dialog.FindWindow(1374));
  ASSERT_EQ(hats->GetCount(), 1u);
  EXPECT_EQ(hats->GetSelection(), 0);
  EXPECT_TRUE(dialog.GetCreator().GetElement(kSlotHats)->hidden);
  EXPECT_EQ(dialog.GetMessage(), "");
  // Angles stay in the slot's range.
  auto* leg = dynamic_cast<wxSpinCtrl*>(dialog.FindWindow(1396));
  ASSERT_NE(leg, nullptr);
  EXPECT_EQ(leg->GetMin(), -105);
  EXPECT_EQ(leg->GetMax(), 65);
}

}  // namespace
