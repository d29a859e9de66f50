// The desktop's side of the document: chooser filters, the frame's title, the frame's mode and
// messages, the recent files, and the questions before the document's project goes.
#include <gtest/gtest.h>
#include <wx/filehistory.h>
#include <wx/menu.h>

#include "GuiTest.h"
#include "app/CommandTable.h"
#include "app/CommandMap.h"
#include "app/DocumentCommands.h"
#include "app/DocumentHost.h"
#include "app/MainFrame.h"
#include "app/PrivateEvents.h"
#include "app/RecentFileHistory.h"
#include "app/RecentFiles.h"
#include "config/ColorEntry.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompt.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"

namespace {

// The filters exactly as the file commands hand them over.
constexpr const char* kOpenFilter =
    "All Ldraw Files (*.ldr, *.dat, *.mpd)|*.ldr;*.mpd;*.dat|Model Files (*.ldr,*.dat)|*.ldr;*.dat|"
    "Multipart Files (*.mpd)|*.mpd|All Files (*.*)|*.*||";

TEST(DocumentHost, FilterConversion) {
  struct Case {
    const char* filter;
    const char* wildcard;
    int choices;
  };
  const Case cases[] = {
      {kOpenFilter,
       "All Ldraw Files (*.ldr, *.dat, *.mpd)|*.ldr;*.LDR;*.mpd;*.MPD;*.dat;*.DAT|"
       "Model Files (*.ldr,*.dat)|*.ldr;*.LDR;*.dat;*.DAT|Multipart Files (*.mpd)|*.mpd;*.MPD|All Files (*.*)|*",
       4},
      {"Model Files (*.ldr,*.dat)|*.ldr;*.dat||", "Model Files (*.ldr,*.dat)|*.ldr;*.LDR;*.dat;*.DAT", 1},
      {"Multipart Files (*.mpd)|*.mpd||", "Multipart Files (*.mpd)|*.mpd;*.MPD", 1},
      // Without the closing "||", blanks around patterns, a mixed-case and an upper-case pattern.
      {"Pictures|*.Bmp ; *.PNG", "Pictures|*.Bmp;*.bmp;*.BMP;*.PNG;*.png", 1},
      // A file name without extension is a pattern too; nothing to change about it.
      {"Settings|Plandor.ini||", "Settings|Plandor.ini;plandor.ini;PLANDOR.INI", 1},
      // Nothing usable: every file.
      {"", "All Files|*", 0},
      {"||", "All Files|*", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertFileFilter(c.filter), c.wildcard) << c.filter;
    EXPECT_EQ(CountFilterChoices(c.filter), c.choices) << c.filter;
  }
}

TEST(DocumentHost, DefaultExtensionOnlyWhenTheNameHasNone) {
  struct Case {
    const char* path;
    const char* extension;
    const char* result;
  };
  const Case cases[] = {
      {"/home/u/truck", "ldr", "/home/u/truck.ldr"},
      {"/home/u/truck.dat", "ldr", "/home/u/truck.dat"},
      {"/home/u/truck.ldr", "mpd", "/home/u/truck.ldr"},
      // A dot in a folder name is not an extension of the file.
      {"/home/u.v/truck", "mpd", "/home/u.v/truck.mpd"},
      {"truck", "mpd", "truck.mpd"},
      {"/home/u/truck", "", "/home/u/truck"},
      {"", "ldr", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyDefaultExtension(c.path, c.extension), c.result) << c.path;
}

TEST(DocumentHost, FrameTitle) {
  EXPECT_EQ(MakeFrameTitle("truck.ldr"), "truck.ldr - Plandor");
  EXPECT_EQ(MakeFrameTitle(""), "Plandor");
  EXPECT_EQ(MakeFrameTitle("truck.ldr", true), "*truck.ldr - Plandor");
  EXPECT_EQ(MakeFrameTitle("", true), "Plandor");
}

// A window of the frame's broadcast list that records the private messages.
class CMessageRecorder : public wxWindow {
 public:
  explicit CMessageRecorder(wxWindow* parent) : wxWindow(parent, wxID_ANY) {
    for (unsigned m = msg::kFirst; m <= msg::kLast; ++m)
      Bind(wxEventTypeTag<CPrivateMessageEvent>(PrivateEventType(m)),
           [this](CPrivateMessageEvent& e) { received.push_back(e.GetMessage()); });
  }
  std::vector<unsigned> received;
};

class CHintRecorder : public IDocObserver {
 public:
  void OnUpdate(uint32_t hint) override { hints.push_back(hint); }
  std::vector<uint32_t> hints;
};

// A frame with the document, its host and the recent-file list, as the program puts them together.
class DocumentFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
    m_history = std::make_unique<CRecentFileHistory>(kRecentFileCount);
    m_frame = new CMainFrame(m_history.get());
    m_doc = std::make_unique<CQuorvelDoc>();
    m_host = std::make_unique<CWxDocumentHost>(*m_doc, m_history.get());
    m_doc->SetHost(m_host.get());
    m_host->SetFrame(m_frame);
    m_doc->AddObserver(&m_hints);
    m_commands = MakeDocumentCommands(*m_doc, m_history.get());
    m_frame->Router().SetDocumentTarget(m_commands.get());
    m_frame->AttachDocument(m_doc.get());
    m_recorder = new CMessageRecorder(m_frame);
    m_frame->AddEventView(m_recorder);
    m_frame->Show();
    PumpEvents(100);
  }
  void TearDown() override {
    if (!m_frame) return;
    if (theMainFrame == m_frame) {
      m_frame->AttachDocument(nullptr);
      m_frame->Close(true);
    }
    PumpEvents(50);
    m_doc->SetHost(nullptr);
    m_host.reset();
    m_doc.reset();
    SetProfile(nullptr);
  }
  CommandState Query(int id) { return m_frame->Router().Query(id); }

  CScratchDir m_scratch;
  std::unique_ptr<CRecentFileHistory> m_history;
  std::unique_ptr<CCommandMap> m_commands;
  CMainFrame* m_frame = nullptr;
  std::unique_ptr<CQuorvelDoc> m_doc;
  std::unique_ptr<CWxDocumentHost> m_host;
  CHintRecorder m_hints;
  CMessageRecorder* m_recorder = nullptr;
};

TEST_F(DocumentFrameTest, FileNewReachesTheFrameThroughTheHost) {
  m_doc->OnNewDocument();
  // The document's model message reached the frame's windows before the call returned.
  EXPECT_EQ(m_recorder->received, std::vector<unsigned>{msg::kModelChanged});
  EXPECT_EQ(m_frame->GetTitle(), "Untitled - Plandor");
  EXPECT_EQ(m_frame->GetEditMode(), 1);
  // A layout switch tells the views to keep still first; switching to the same mode tells nothing.
  m_hints.hints.clear();
  m_host->SetEditMode(0);
  EXPECT_EQ(m_frame->GetEditMode(), 0);
  EXPECT_EQ(m_hints.hints, std::vector<uint32_t>{HINT_SUSPEND});
  m_host->SetEditMode(0);
  EXPECT_EQ(m_hints.hints.size(), 1u);
  m_host->SetEditMode(1);
  EXPECT_EQ(m_frame->GetEditMode(), 1);
}

TEST_F(DocumentFrameTest, RecentFilesGoToTheMenuListAndTheProfile) {
  m_doc->SetTitle("truck.ldr");
  m_doc->SetPathName("/models/truck.ldr");
  m_doc->SetPathName("/models/ship.mpd");
  ASSERT_EQ(m_history->GetCount(), 2u);
  EXPECT_EQ(m_history->GetHistoryFile(0), "/models/ship.mpd");
  // Stored at once, newest first.
  EXPECT_EQ(LoadRecentFiles(TheProfile()), (std::vector<std::string>{"/models/ship.mpd", "/models/truck.ldr"}));
  EXPECT_EQ(m_frame->GetTitle(), "truck.ldr - Plandor");
  // The recent files can be chosen when the document can open files.
  EXPECT_TRUE(Query(m_history->GetBaseId()).enabled);
}

TEST_F(DocumentFrameTest, UndoFollowsTheRing) {
  m_doc->OnNewDocument();
  EXPECT_FALSE(Query(57643).enabled);
  m_doc->GetActiveModel()->SetName("changed.ldr");
  m_doc->SetModifiedFlag(1);
  EXPECT_TRUE(Query(57643).enabled);
  wxCommandEvent undo(wxEVT_MENU, ToWxId(57643));
  m_frame->GetEventHandler()->ProcessEvent(undo);
  EXPECT_EQ(m_doc->GetUndoCurrent(), 0);
  EXPECT_FALSE(Query(57643).enabled);
  // Undo replaced the project: the frame's windows heard of it.
  EXPECT_EQ(m_recorder->received.back(), msg::kModelChanged);
}

TEST_F(DocumentFrameTest, SettingsAppliedUpdateTheViewsBeforeTheMessage) {
  m_hints.hints.clear();
  m_frame->OnSettingsApplied(1, "", "");
  EXPECT_EQ(m_hints.hints, std::vector<uint32_t>{HINT_SETTINGS});
  EXPECT_EQ(m_recorder->received.back(), msg::kSettingsChanged);
}

TEST_F(DocumentFrameTest, FileCommandRulesFollowTheDocument) {
  m_doc->OnNewDocument();
  EXPECT_TRUE(Query(cmd::kFileNew).enabled);
  EXPECT_TRUE(Query(cmd::kFileOpen).enabled);
  EXPECT_TRUE(Query(57604).enabled);            // Save As
  EXPECT_FALSE(Query(cmd::kFileSave).enabled);  // nothing to save
  EXPECT_FALSE(Query(32873).enabled);           // Activate Model: one model only
  EXPECT_TRUE(Query(32872).enabled);            // New Model: edit mode, select
  m_doc->SetModifiedFlag(1);
  EXPECT_TRUE(Query(cmd::kFileSave).enabled);
}

// Closing the program with a modified document asks; Cancel keeps it running, No lets it end.
TEST_F(DocumentFrameTest, ClosingAModifiedDocumentAsks) {
  CScriptedPrompt prompt;
  m_doc->OnNewDocument();
  m_doc->SetModifiedFlag(1);
  prompt.Answer(PromptAnswer::Cancel);
  EXPECT_FALSE(m_frame->Close());
  PumpEvents(50);
  ASSERT_EQ(theMainFrame, m_frame);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "The file has been modified!\nSave changes?");
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNoCancel);
  // The layout of a run that goes on is not saved yet.
  EXPECT_EQ(TheProfile().GetProfileString("EditModeStates", "WindowPos", ""), "");

  prompt.Answer(PromptAnswer::No);
  EXPECT_TRUE(m_frame->Close());
  PumpEvents(50);
  EXPECT_EQ(theMainFrame, nullptr);
  EXPECT_EQ(prompt.shown.size(), 2u);
  EXPECT_NE(TheProfile().GetProfileString("EditModeStates", "WindowPos", ""), "");
  m_frame = nullptr;
}

// A dropped file replaces the project only after the save question.
TEST_F(DocumentFrameTest, DroppedFilesOpenTheFirstAfterTheQuestion) {
  CScriptedPrompt prompt;
  std::string first = m_scratch / "first.ldr", second = m_scratch / "second.ldr";
  WriteFileBytes(first, "0 First\n0 Name: first.ldr\n0 STEP\n");
  WriteFileBytes(second, "0 Second\n");
  m_doc->OnNewDocument();
  m_doc->SetModifiedFlag(1);
  // The event owns (and deletes) its array of names.
  auto names = [&] { return new wxString[2]{wxString::FromUTF8(first), wxString::FromUTF8(second)}; };
  wxDropFilesEvent cancelled(wxEVT_DROP_FILES, 2, names());
  prompt.Answer(PromptAnswer::Cancel);
  m_frame->GetEventHandler()->ProcessEvent(cancelled);
  EXPECT_EQ(m_doc->GetPathName(), "");
  EXPECT_TRUE(m_doc->IsModified());

  wxDropFilesEvent drop(wxEVT_DROP_FILES, 2, names());
  prompt.Answer(PromptAnswer::No);
  m_frame->GetEventHandler()->ProcessEvent(drop);
  EXPECT_EQ(m_doc->GetPathName(), first);
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_EQ(m_frame->GetTitle().utf8_string(), MakeFrameTitle(m_doc->GetTitle(), m_doc->IsModified()));
  EXPECT_NE(m_doc->GetTitle().find("first"), std::string::npos);
  EXPECT_EQ(m_history->GetHistoryFile(0).utf8_string(), first);
}

TEST_F(DocumentFrameTest, ModeCommandsCheckTheDocumentsMode) {
  m_doc->OnNewDocument();
  EXPECT_TRUE(Query(cmd::kEditMode).checked);
  EXPECT_FALSE(Query(cmd::kViewMode).checked);
  wxCommandEvent view(wxEVT_MENU, ToWxId(cmd::kViewMode));
  m_frame->GetEventHandler()->ProcessEvent(view);
  EXPECT_EQ(m_doc->GetEditMode(), 0);
  // The frame switched its layout with the document.
  EXPECT_EQ(m_frame->GetEditMode(), 0);
  EXPECT_TRUE(Query(cmd::kViewMode).checked);
  EXPECT_FALSE(Query(cmd::kEditMode).checked);
  // Pan, rotate and zoom mode are the panes' mouse modes: each switches to edit mode with that
  // mouse mode and is checked alone.
  for (int id : {32916, 32923, 32926}) EXPECT_TRUE(Query(id).enabled) << id;
  wxCommandEvent pan(wxEVT_MENU, ToWxId(32916));
  m_frame->GetEventHandler()->ProcessEvent(pan);
  EXPECT_EQ(m_doc->GetEditMode(), 1);
  EXPECT_EQ(m_doc->GetEditSubMode(), 1);
  EXPECT_TRUE(Query(32916).checked);
  EXPECT_FALSE(Query(cmd::kEditMode).checked);
  wxCommandEvent edit(wxEVT_MENU, ToWxId(cmd::kEditMode));
  m_frame->GetEventHandler()->ProcessEvent(edit);
  EXPECT_EQ(m_doc->GetEditMode(), 1);
  EXPECT_EQ(m_doc->GetEditSubMode(), 0);
  EXPECT_EQ(m_frame->GetEditMode(), 1);
  EXPECT_TRUE(Query(cmd::kEditMode).checked);
  EXPECT_FALSE(Query(32916).checked);
  EXPECT_TRUE(Query(32916).enabled);
}

}  // namespace

namespace {

// The labels of the File menu from Scan Parts on, separators as "-".
std::vector<std::string> FileMenuTail(CMainFrame* frame) {
  wxMenu* file = frame->GetMenuBar()->GetMenu(frame->GetMenuBar()->FindMenu("File"));
  std::vector<std::string> labels;
  bool on = false;
  for (wxMenuItem* item : file->GetMenuItems()) {
    std::string label = item->IsSeparator() ? "-" : item->GetItemLabelText().utf8_string();
    on = on || label == "Scan Parts";
    if (on) labels.push_back(label);
  }
  return labels;
}

TEST_F(DocumentFrameTest, RecentFilesStandAboveExitInTheirOrder) {
  EXPECT_EQ(FileMenuTail(m_frame), (std::vector<std::string>{"Scan Parts", "-", "-", "Exit"}));
  m_doc->SetPathName("/models/truck.ldr");
  m_doc->SetPathName("/models/ship.mpd");
  m_doc->SetPathName("/models/car.ldr");
  EXPECT_EQ(FileMenuTail(m_frame), (std::vector<std::string>{"Scan Parts", "-", "1 /models/car.ldr",
                                                             "2 /models/ship.mpd", "3 /models/truck.ldr", "-",
                                                             "Exit"}));
  // Opening a listed file brings it to the top.
  m_doc->SetPathName("/models/truck.ldr");
  EXPECT_EQ(FileMenuTail(m_frame)[2], "1 /models/truck.ldr");
  EXPECT_EQ(FileMenuTail(m_frame).back(), "Exit");
  // The entries run their menu ids: the second opens the second file.
  wxMenuItem* second = m_frame->GetMenuBar()->FindItem(m_history->GetBaseId() + 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetItemLabelText(), "2 /models/car.ldr");
  // Choosing an entry opens its file.
  std::string path = m_scratch / "listed.ldr";
  WriteFileBytes(path, "0 Listed\n0 Name: listed.ldr\n");
  m_history->AddFileToHistory(wxString::FromUTF8(path));
  m_doc->SetPathName("/models/ship.mpd");
  wxCommandEvent choose(wxEVT_MENU, m_history->GetBaseId() + 1);
  m_frame->GetEventHandler()->ProcessEvent(choose);
  EXPECT_EQ(m_doc->GetPathName(), path);
}

// The next start: the stored list is there before the frame; a file opened then joins it.
TEST_F(DocumentFrameTest, AStoredListStaysAboveExitAfterTheNextStart) {
  m_frame->Close(true);
  PumpEvents(50);
  for (const char* f : {"/m/c.ldr", "/m/b.ldr", "/m/a.ldr"}) m_history->AddFileToHistory(f);
  m_frame = new CMainFrame(m_history.get());
  m_frame->Router().SetDocumentTarget(m_commands.get());
  m_frame->Show();
  PumpEvents(50);
  EXPECT_EQ(FileMenuTail(m_frame), (std::vector<std::string>{"Scan Parts", "-", "1 /m/a.ldr", "2 /m/b.ldr",
                                                             "3 /m/c.ldr", "-", "Exit"}));
  m_history->AddFileToHistory("/m/d.ldr");
  EXPECT_EQ(FileMenuTail(m_frame), (std::vector<std::string>{"Scan Parts", "-", "1 /m/d.ldr", "2 /m/a.ldr",
                                                             "3 /m/b.ldr", "4 /m/c.ldr", "-", "Exit"}));
  m_history->RemoveFileFromHistory(0);
  EXPECT_EQ(FileMenuTail(m_frame).size(), 7u);
  EXPECT_EQ(FileMenuTail(m_frame)[2], "1 /m/a.ldr");
}

// Settings > General > Default asks first; Yes resets and saves the settings, tells the frame's
// windows and updates the views; No changes nothing.
TEST_F(DocumentFrameTest, DefaultSettingsAskThenResetSaveAndAnnounce) {
  ColorEntry colors[kColorCount];
  std::copy(std::begin(theDefaultColors), std::end(theDefaultColors), colors);
  SettingsSnapshot settings;  // Yes resets every setting
  CScriptedPrompt prompt;
  theSettings.FastStep = 9;
  theSettings.GridType = 2;
  m_hints.hints.clear();
  m_recorder->received.clear();
  EXPECT_TRUE(Query(32870).enabled);
  wxCommandEvent restore(wxEVT_MENU, ToWxId(32870));
  prompt.Answer(PromptAnswer::No);
  m_frame->GetEventHandler()->ProcessEvent(restore);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Restore default configuration?");
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(theSettings.FastStep, 9);
  EXPECT_TRUE(m_recorder->received.empty());
  EXPECT_TRUE(m_hints.hints.empty());

  prompt.Answer(PromptAnswer::Yes);
  m_frame->GetEventHandler()->ProcessEvent(restore);
  EXPECT_EQ(theSettings.FastStep, 5);
  EXPECT_EQ(theSettings.GridType, 0);
  EXPECT_EQ(CFileProfile(m_scratch / "Plandor.conf").GetProfileInt("Settings", "FastStep", 0), 5);
  EXPECT_EQ(m_recorder->received, std::vector<unsigned>{msg::kSettingsChanged});
  EXPECT_EQ(m_hints.hints, std::vector<uint32_t>{HINT_SETTINGS});
  std::copy(std::begin(colors), std::end(colors), theDefaultColors);
}

// Settings > Parts Tree > Default: the default groups, saved, and 0x8003 posted to the windows.
TEST_F(DocumentFrameTest, DefaultPartGroupsResetSaveAndAnnounce) {
  thePartList.SetGroups({{"Mine", "3001"}});
  ASSERT_EQ(thePartList.GetGroup(0)->name, "Mine");
  m_recorder->received.clear();
  EXPECT_TRUE(Query(32975).enabled);
  wxCommandEvent restore(wxEVT_MENU, ToWxId(32975));
  m_frame->GetEventHandler()->ProcessEvent(restore);
  EXPECT_EQ(thePartList.GetGroup(0)->name, "Zeb Axles & Spacers");
  EXPECT_EQ(TheProfile().GetProfileString("GroupDefs", "GroupName1", ""), "Zeb Axles & Spacers");
  // Posted: it arrives with the event loop.
  EXPECT_TRUE(m_recorder->received.empty());
  PumpEvents(30);
  EXPECT_EQ(m_recorder->received, std::vector<unsigned>{msg::kGroupsChanged});
}

}  // namespace
