// The LSynth bridge: the [LSYNTH] section of the ini file, the configuration message, Add Command,
// the hide commands, and Run LSynth against a fake lsynthcp written by the test.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "DocModel.h"
#include "document/LSynthController.h"
#include "platform/Folders.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"
#include "model/QvCommentPart.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestData.h"

namespace {

TEST(LSynthLines, ClassifyTable) {
  struct Case {
    const char* text;
    int kind;
  } cases[] = {
      {"SYNTH BEGIN ELECTRIC_CABLE 0", 1}, {"synth begin hose", 1},       {"SynTh End", 2},
      {"SYNTH SYNTHESIZED BEGIN", 3},      {"SYNTH SYNTHESIZED END", 4},  {"SYNTHESIZED", 0},
      {"SYNTHBEGIN", 1},                   {"SYNTH SHOW", 0},             {"BEGIN SYNTH", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CLSynthController::ClassifyLine(c.text), c.kind) << c.text;
}

// A document, an ini file and a folder for the fake LSynth; the controller's state as at start.
class LSynthTest : public CLogCaptureTest {
 protected:
  void SetUp() override {
    CLogCaptureTest::SetUp();
    doc.SetHost(&host);
    CLSynthController::ResetState();
    CLSynthController::SetIniPath(ini);
    CLSynthController::SetChooser([this](const std::vector<std::string>& names) {
      offered = names;
      return choice;
    });
  }
  void TearDown() override {
    CLSynthController::ResetState();
    CLSynthController::SetIniPath("");
    CLSynthController::SetChooser(nullptr);
    CLogCaptureTest::TearDown();
  }
  void WriteIni(const std::string& section) { WriteFileBytes(ini, "[SCAN_ORDER]\nP\n\n" + section); }
  // A fake lsynthcp under <folder>/bin running the script body with $1 input and $2 output.
  void FakeLSynth(const std::string& body) {
    std::filesystem::create_directories(tools / "bin");
    const std::string exe = tools / "bin/lsynthcp";
    WriteFileBytes(exe, "#!/bin/sh\n" + body + "\n");
    chmod(exe.c_str(), 0755);
  }
  std::string ProjectText() {
    CArrayTextHandler out;
    doc.GetProject().WriteTo(out, "x");
    std::string text;
    for (const std::string& line : out.GetLines()) text += line + "\n";
    return text;
  }
  size_t TempFilesLeft() {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(GetTempDirectory()))
      if (entry.path().filename().string().rfind("tolvolsc", 0) == 0) ++n;
    return n;
  }

  CLibraryScope library{"", 0};
  CCommandSettings settings;
  CScriptedPrompt prompt;
  CScriptedDocumentHost host;
  CQuorvelDoc doc;
  CScratchDir tools;
  std::string ini = tools / "Plandor.ini";
  std::vector<std::string> offered;
  int choice = 0;
};

TEST_F(LSynthTest, IniSectionAndAvailability) {
  struct Case {
    const char* name;
    std::string section;
    bool withProgram;
    int available;
    const char* logged;
  } cases[] = {
      {"no section", "", true, 0, "ERROR: Section LSYNTH not found in Tolvo.ini!\n"},
      {"no path", "[LSYNTH]\nHose = SYNTH BEGIN HOSE 0\n", true, 0, "ERROR: Path to LSynth not defined in Tolvo.ini!\n"},
      {"quoted path", "[LSYNTH]\n%path = \"" + tools.Path() + "\"\n", true, 1, ""},
      {"no program", "[LSYNTH]\n%PATH=" + tools.Path() + "\n", false, 0,
       "ERROR: LSynth not found at path defined in Tolvo.ini!\n"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(tools / "bin");
    if (c.withProgram) FakeLSynth("exit 0");
    WriteIni(c.section);
    CLSynthController::ResetState();
    const std::string before = Log();
    EXPECT_EQ(CLSynthController().IsAvailable(), c.available) << c.name;
    EXPECT_EQ(CLSynthController().IsAvailable(), c.available) << c.name;  // decided once: logged once
    EXPECT_EQ(Log().substr(before.size()), c.logged) << c.name;
    EXPECT_TRUE(prompt.shown.empty()) << c.name;
  }
}

TEST_F(LSynthTest, AddCommandInsertsTheBlock) {
  WriteIni("[LSYNTH]\n%Path=" + tools.Path() + "\nCable = SYNTH BEGIN ELECTRIC_CABLE 0\nbad line\n = x\n"
           "Loose = begin hose\n");
  FakeLSynth("exit 0");
  LoadDocument(doc, "0 FILE m.ldr\n2 24 0 0 0 1 0 0\n0\n0\n");
  doc.SetEditMode(0);
  ASSERT_TRUE(doc.CanAddLSynthCommand());
  struct Case {
    int choice;
    std::vector<std::string> added;
  } cases[] = {{0, {"SYNTH BEGIN ELECTRIC_CABLE 0", "SYNTH SHOW", "SYNTH END"}}, {1, {"begin hose"}}, {-1, {}}};
  for (const Case& c : cases) {
    LoadDocument(doc, "0 FILE m.ldr\n2 24 0 0 0 1 0 0\n0\n0\n");
    doc.SetEditMode(0);
    choice = c.choice;
    const size_t base = doc.GetActiveModel()->GetCount();
    EXPECT_EQ(doc.OnAddLSynthCommand(), c.added.empty() ? 0 : 1);
    EXPECT_EQ(offered, (std::vector<std::string>{"Cable", "Loose"}));
    CQvFile& model = *doc.GetActiveModel();
    ASSERT_EQ(model.GetCount(), base + c.added.size());
    for (size_t i = 0; i < c.added.size(); ++i) {
      auto* comment = dynamic_cast<CQvCommentPart*>(model.GetAt(base + i));
      ASSERT_NE(comment, nullptr);
      EXPECT_EQ(comment->GetText(), c.added[i]);
    }
    if (!c.added.empty()) {
      EXPECT_EQ(model.GetSelectedIndex(0), static_cast<int32_t>(base + c.added.size() - 1));  // the last one
      EXPECT_TRUE(doc.IsModified());
    }
  }
  EXPECT_NE(Log().find("ERROR: Bad definition in LSYNTH section of Tolvo.ini!\n"), std::string::npos);
}

TEST_F(LSynthTest, TheConfigurationMessageStopsAfterNo) {
  WriteIni("");
  LoadDocument(doc, "0 FILE m.ldr\n2 24 0 0 0 1 0 0\n0\n0\n");
  prompt.Answer(PromptAnswer::Yes);
  EXPECT_EQ(doc.OnAddLSynthCommand(), 0);
  prompt.Answer(PromptAnswer::No);
  EXPECT_EQ(doc.OnAddLSynthCommand(), 0);
  EXPECT_EQ(doc.OnAddLSynthCommand(), 0);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, LoadResString(kStringLSynthConfigMissing));
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_FALSE(doc.CanAddLSynthCommand());
}

const char kCable[] =
    "0 FILE m.ldr\n0 m\n0 SYNTH BEGIN ELECTRIC_CABLE 0\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 nosuch-a.dat\n"
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 nosuch-b.dat\n0 SYNTH SHOW\n0 SYNTH END\n0\n0\n";

TEST_F(LSynthTest, RunTakesTheOutputAndHidesTheDefinition) {
  WriteIni("[LSYNTH]\n%Path=" + tools.Path() + "\n");
  // The synthesized part goes in just before the definition's end, as LSynth puts it.
  FakeLSynth(
      "sed 's/^0 SYNTH END/0 SYNTH SYNTHESIZED BEGIN\\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 syn.dat\\n"
      "0 SYNTH SYNTHESIZED END\\n0 SYNTH END/' \"$1\" > \"$2\"");
  LoadDocument(doc, kCable);
  ASSERT_TRUE(doc.CanRunLSynth());
  ASSERT_EQ(doc.OnRunLSynth(), 1);
  const std::string text = ProjectText();
  EXPECT_NE(text.find("syn.dat"), std::string::npos) << text;
  CQvFile& model = *doc.GetActiveModel();
  int hidden = 0, shown = 0;
  for (size_t i = 0; i < model.GetCount(); ++i)
    if (model.GetAt(i)->GetType() == ElementType::Reference) (model.GetAt(i)->hidden ? hidden : shown)++;
  EXPECT_EQ(hidden, 2);  // the constraints
  EXPECT_EQ(shown, 1);   // the synthesized part
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetUndoCount(), 2);
  EXPECT_EQ(TempFilesLeft(), 0u);
  // The hide commands: all, then all shown again.
  EXPECT_EQ(doc.OnHideLSynthParts(3), 1);
  EXPECT_EQ(doc.OnHideLSynthParts(3), 0);
  EXPECT_EQ(doc.OnHideLSynthParts(0), 1);
}

// Output that is missing, empty or unreadable leaves the project and its modified flag as they
// were, and every temporary file goes.
TEST_F(LSynthTest, AFailedRunKeepsTheProjectAndItsModifiedFlag) {
  WriteIni("[LSYNTH]\n%Path=" + tools.Path() + "\n");
  struct Case {
    const char* name;
    const char* script;
    bool modified;
  } cases[] = {
      {"empty output", ": > \"$2\"", false},
      {"empty output, unsaved changes", ": > \"$2\"", true},
      {"no output, exit 3", "rm -f \"$2\"; exit 3", true},
  };
  for (const Case& c : cases) {
    FakeLSynth(c.script);
    LoadDocument(doc, kCable);
    if (c.modified) {
      doc.OnHideLSynthParts(3);
      prompt.Answer(PromptAnswer::No);  // do not save before the run
    }
    const std::string before = ProjectText();
    prompt.shown.clear();
    EXPECT_EQ(doc.OnRunLSynth(), 0) << c.name;
    EXPECT_EQ(ProjectText(), before) << c.name;
    EXPECT_EQ(doc.IsModified(), c.modified) << c.name;
    ASSERT_FALSE(prompt.shown.empty()) << c.name;
    EXPECT_EQ(prompt.shown.back().text, LoadResString(kStringLSynthFailed)) << c.name;
    EXPECT_EQ(TempFilesLeft(), 0u) << c.name;
  }
}

// Output that does not read (a bad line, and No to going on): the project in memory comes back.
TEST_F(LSynthTest, UnreadableOutputBringsTheProjectBack) {
  theSettings.ShowWarnings = 1;  // the fixture's settings scope puts it back
  WriteIni("[LSYNTH]\n%Path=" + tools.Path() + "\n");
  FakeLSynth("cp \"$1\" \"$2\"; echo '1 this is no reference' >> \"$2\"");
  LoadDocument(doc, kCable);
  const std::string before = ProjectText();
  prompt.defaultAnswer = PromptAnswer::No;  // "Continue loading?"
  EXPECT_EQ(doc.OnRunLSynth(), 0);
  EXPECT_EQ(ProjectText(), before);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(prompt.shown.back().text, LoadResString(kStringLSynthFailed));
  EXPECT_NE(Log().find("ERROR: Load of generated file failed - recovering now!\nINFO: Recovery succeeded!\n"),
            std::string::npos);
  EXPECT_EQ(TempFilesLeft(), 0u);
}

}  // namespace
