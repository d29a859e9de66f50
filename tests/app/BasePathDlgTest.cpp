// The base-path dialog: its controls, the check while typing, browsing and at OK, and the
// start-up's question for the library folder that runs it.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <string>
#include <vector>

#include "GuiTest.h"
#include "app/StartUpDialogs.h"
#include "dialogs/DlgBasePath.h"
#include "platform/Folders.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

const char kOk[] = "OK!";
const char kNoFolders[] = "Invalid path (no Parts and/or P dir found)!";
const char kNoStud[] = "LDraw/LEdit package not installed!";
const char kInvalid[] = "Invalid input (possibly drive missing)!";

class BasePathDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    // A library spelt in lower case, as Linux packages have it, and folders that are none.
    m_lib = m_scratch / "ldraw";
    MakeDirectories(m_lib + "/p");
    MakeDirectories(m_lib + "/parts");
    WriteFileBytes(m_lib + "/p/stud.dat", "0 Stud\n");
    MakeDirectories(m_scratch / "empty");
    MakeDirectories(m_scratch / "onlyp/p");
    MakeDirectories(m_scratch / "onlyparts/PARTS");
    MakeDirectories(m_scratch / "nostud/P");
    MakeDirectories(m_scratch / "nostud/Parts");
  }

  static wxTextCtrl* Edit(wxWindow& dlg, int id) { return dynamic_cast<wxTextCtrl*>(dlg.FindWindow(id)); }
  static void Press(wxWindow* button) {
    wxCommandEvent press(wxEVT_BUTTON, button->GetId());
    press.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(press);
  }

  CScratchDir m_scratch;
  std::string m_lib;
  CScriptedPrompt m_prompt;
};

TEST_F(BasePathDlgTest, ControlsCarryTheirIdsAndTheOpeningCheckDecidesMandatory) {
  struct Row {
    std::string path;
    int mandatory;
    const char* status;
  };
  const Row rows[] = {
      {m_lib, 0, kOk},
      {m_scratch / "missing", 2, kNoFolders},
      {m_scratch / "nostud", 4, kNoStud},
      {"ldraw", 1, kInvalid},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    CDlgBasePath dlg(nullptr);
    EXPECT_EQ(dlg.GetId(), 184);
    EXPECT_EQ(dlg.GetTitle(), "Plandor Base Path");
    ASSERT_NE(Edit(dlg, 1198), nullptr);
    ASSERT_NE(Edit(dlg, 1200), nullptr);
    EXPECT_FALSE(Edit(dlg, 1200)->IsEditable());
    ASSERT_NE(dynamic_cast<wxButton*>(dlg.FindWindow(1182)), nullptr);
    EXPECT_EQ(dlg.FindWindow(1182)->GetLabel(), "Browse...");
    EXPECT_NE(dlg.FindWindow(wxID_OK), nullptr);
    EXPECT_NE(dlg.FindWindow(wxID_CANCEL), nullptr);
    dlg.m_path = row.path;
    ASSERT_TRUE(dlg.TransferDataToWindow());
    EXPECT_EQ(Edit(dlg, 1198)->GetValue().utf8_string(), row.path);
    EXPECT_EQ(dlg.m_mandatory, row.mandatory);
    EXPECT_EQ(Edit(dlg, 1200)->GetValue().utf8_string(), row.status);
    EXPECT_EQ(dlg.m_status, row.status);
  }
  EXPECT_TRUE(m_prompt.shown.empty());
}

// Every change of the text is checked and shown; a folder that fails beeps.
TEST_F(BasePathDlgTest, TypingShowsTheStatusAndBeepsOnFailure) {
  CDlgBasePath dlg(nullptr);
  dlg.m_path = m_scratch / "missing";
  dlg.TransferDataToWindow();
  struct Row {
    std::string typed;
    const char* status;
    int beeps;
  };
  const Row rows[] = {
      {m_scratch / "onlyp", kNoFolders, 1},
      {m_scratch / "onlyparts", kNoFolders, 1},
      {m_scratch / "nostud", kNoStud, 1},
      {m_lib + "/", kOk, 0},
      {"", kInvalid, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    m_prompt.beeps = 0;
    Edit(dlg, 1198)->SetValue(wxString::FromUTF8(row.typed));  // as typing: a text event
    EXPECT_EQ(Edit(dlg, 1200)->GetValue().utf8_string(), row.status);
    EXPECT_EQ(m_prompt.beeps, row.beeps);
  }
  EXPECT_TRUE(m_prompt.shown.empty());
}

// OK takes only a usable library: any other folder is refused with a message that names it and
// says what a library folder holds, and the dialog stays open.
TEST_F(BasePathDlgTest, OkRefusesAFolderWithoutPartsAndP) {
  struct Row {
    std::string typed;
    const char* status;
  };
  const Row rows[] = {
      {m_scratch / "empty", kNoFolders},
      {m_scratch / "onlyp", kNoFolders},
      {m_scratch / "onlyparts", kNoFolders},
      {m_scratch / "missing", kNoFolders},
      {m_scratch / "nostud", kNoStud},
      {"ldraw", kInvalid},
  };
  CDlgBasePath dlg(nullptr);
  dlg.m_path = m_lib;
  dlg.TransferDataToWindow();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    m_prompt.shown.clear();
    m_prompt.beeps = 0;
    Edit(dlg, 1198)->ChangeValue(wxString::FromUTF8(row.typed));
    EXPECT_FALSE(dlg.TransferDataFromWindow());
    EXPECT_EQ(dlg.m_path, m_lib);
    EXPECT_EQ(Edit(dlg, 1200)->GetValue().utf8_string(), row.status);
    EXPECT_EQ(m_prompt.beeps, 1);
    ASSERT_EQ(m_prompt.shown.size(), 1u);
    EXPECT_EQ(m_prompt.shown[0].text, "The folder '" + row.typed + "' cannot be used as the LDraw part library:\n" +
                                          row.status +
                                          "\nThe library folder holds the folders \"parts\" and \"p\" (in any "
                                          "letter case) and the file p/stud.dat.");
    EXPECT_EQ(m_prompt.shown[0].icon, PromptIcon::Exclamation);
  }
  m_prompt.shown.clear();
  Edit(dlg, 1198)->ChangeValue(wxString::FromUTF8(m_lib + "//"));
  EXPECT_TRUE(dlg.TransferDataFromWindow());
  EXPECT_EQ(dlg.m_path, m_lib);
  EXPECT_EQ(Edit(dlg, 1200)->GetValue().utf8_string(), kOk);
  EXPECT_TRUE(m_prompt.shown.empty());
}

TEST_F(BasePathDlgTest, BrowseStartsInTheNearestFolderThatExistsAndShowsTheChoice) {
  CDlgBasePath dlg(nullptr);
  dlg.m_path = m_scratch / "missing/deeper";
  dlg.TransferDataToWindow();
  std::vector<std::string> starts;
  std::string answer = m_scratch / "onlyp";
  bool choose = true;
  dlg.m_chooseFolder = [&](const std::string& start, std::string& chosen) {
    starts.push_back(start);
    chosen = answer;
    return choose;
  };
  Press(dlg.FindWindow(1182));
  EXPECT_EQ(Edit(dlg, 1198)->GetValue().utf8_string(), answer);
  EXPECT_EQ(Edit(dlg, 1200)->GetValue().utf8_string(), kNoFolders);
  EXPECT_EQ(m_prompt.beeps, 1);
  answer = m_lib;
  Press(dlg.FindWindow(1182));
  EXPECT_EQ(Edit(dlg, 1200)->GetValue().utf8_string(), kOk);
  EXPECT_EQ(dlg.m_path, m_lib);
  // A cancelled browser changes nothing.
  choose = false;
  answer = m_scratch / "empty";
  Press(dlg.FindWindow(1182));
  EXPECT_EQ(Edit(dlg, 1198)->GetValue().utf8_string(), m_lib);
  const std::string scratch = m_scratch.Path().substr(0, m_scratch.Path().size() - 1);
  EXPECT_EQ(starts, (std::vector<std::string>{scratch, scratch + "/onlyp", m_lib}));
}

TEST(BasePathDlg, TheBrowserStartsInAFolderThatExists) {
  CScratchDir scratch;
  MakeDirectories(scratch / "a/b");
  const std::string base = scratch.Path().substr(0, scratch.Path().size() - 1);
  EXPECT_EQ(ExistingFolderOf(scratch / "a/b"), base + "/a/b");
  EXPECT_EQ(ExistingFolderOf(scratch / "a/x/y"), base + "/a");
  EXPECT_EQ(ExistingFolderOf("relative/path"), "/");
  EXPECT_EQ(ExistingFolderOf(""), "/");
}

// The start-up's question runs the dialog: OK only with a library (the refused folder first), and
// Cancel answers false, which ends the program.
TEST_F(BasePathDlgTest, TheStartUpQuestionRunsTheDialog) {
  auto answerWith = [&](std::vector<std::string> typed, int button) {
    wxTheApp->CallAfter([this, typed, button] {
      auto* dlg = dynamic_cast<CDlgBasePath*>(wxWindow::FindWindowById(184));
      ASSERT_NE(dlg, nullptr);
      EXPECT_TRUE(dlg->IsModal());
      for (const std::string& text : typed) {
        Edit(*dlg, 1198)->SetValue(wxString::FromUTF8(text));
        Press(dlg->FindWindow(button));
      }
    });
  };
  std::string folder = m_scratch / "missing";
  answerWith({m_scratch / "onlyp", m_lib + "/"}, wxID_OK);
  ASSERT_TRUE(AskForBasePath(folder));
  EXPECT_EQ(folder, m_lib);
  ASSERT_EQ(m_prompt.shown.size(), 1u);  // the refusal of the first folder
  EXPECT_NE(m_prompt.shown[0].text.find(m_scratch / "onlyp"), std::string::npos);

  folder = m_scratch / "missing";
  answerWith({m_lib}, wxID_CANCEL);
  EXPECT_FALSE(AskForBasePath(folder));
  EXPECT_EQ(folder, m_scratch / "missing");
  PumpEvents(20);
}

}  // namespace
