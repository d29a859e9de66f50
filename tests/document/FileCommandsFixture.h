#pragma once
// A document wired to a scripted prompt, a scripted host, a recording observer and scripted model
// dialogs, over no library (sub-files come from the fixtures' own folders), with small model files
// written into a scratch folder.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "DocTestHost.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/MpdFile.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "tests/model/LibraryScope.h"
#include "tests/model/ModelText.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SettingsSnapshot.h"
#include "tests/support/TestData.h"

// The model dialogs of the Multipart menu, answered from queues; an empty queue cancels.
class CScriptedModelDialogs : public IModelDialogs {
 public:
  int ChooseModel(const std::vector<std::string>& names, int current) override {
    offered.push_back(names);
    preselected.push_back(current);
    if (choices.empty()) return 0;
    int n = choices.front();
    choices.pop_front();
    return n;
  }
  bool EditSequence(const std::vector<std::string>&, std::vector<size_t>& permutation) override {
    if (sequences.empty()) return false;
    permutation = sequences.front();
    sequences.pop_front();
    return true;
  }
  bool EditInfo(std::string& name, std::string& description) override {
    if (infos.empty()) return false;
    name = infos.front().first;
    description = infos.front().second;
    infos.pop_front();
    return true;
  }

  std::deque<int> choices;
  std::deque<std::vector<size_t>> sequences;
  std::deque<std::pair<std::string, std::string>> infos;
  std::vector<std::vector<std::string>> offered;
  std::vector<int> preselected;
};

// A host that also remembers the preset of the new-model dialog.
class CFileTestHost : public CScriptedDocumentHost {
 public:
  bool NewModelDialog(std::string& name, std::string& description) override {
    newModelPresets.emplace_back(name, description);
    return CScriptedDocumentHost::NewModelDialog(name, description);
  }
  std::vector<std::pair<std::string, std::string>> newModelPresets;
};

class FileCommandsFixture : public ::testing::Test {
 public:  // the table-driven tests script it from lambdas
  void SetUp() override {
    m_cwd = std::filesystem::current_path();
    theSettings.SavePath = "/nowhere/models";
    theSettings.EditOnLoad = 1;
    theSettings.AutoPartUpgrade = 0;
    SetModelDialogs(&dialogs);
    doc.SetHost(&host);
    doc.AddObserver(&observer);
    doc.OnNewDocument();
    Forget();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::current_path(m_cwd, ec);
    SetModelDialogs(nullptr);
  }

  // Drops what the host, the observer and the prompt recorded so far.
  void Forget() {
    host.messages.clear();
    host.editModes.clear();
    host.fileRequests.clear();
    host.recent.clear();
    observer.hints.clear();
    prompt.shown.clear();
  }

  std::string Write(const std::string& name, const std::string& text) {
    EXPECT_TRUE(WriteFileBytes(dir / name, text));
    return dir / name;
  }

  // Opens through File Open with the path chosen in the dialog; the command's result.
  int Open(const std::string& path) {
    host.files.push_back(path);
    return doc.OnFileOpen();
  }

  // The project as it would be saved.
  std::string ProjectText() {
    CArrayTextHandler out;
    doc.GetProject().WriteTo(out, "x");
    return Joined(out);
  }

  // A change that goes through the undo ring, as every editing command's does.
  void Change(const std::string& comment) {
    doc.GetActiveModel()->Append(std::make_unique<CQvCommentPart>(comment));
    doc.SetModifiedFlag(1);
  }

  // Texts of the messages shown so far.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& s : prompt.shown) texts.push_back(s.text);
    return texts;
  }

  // The sub-file the first reference of the active model places (null when none).
  CQvFile* FirstReferencedFile() {
    CQvFile* model = doc.GetActiveModel();
    for (size_t i = 0; i < model->GetCount(); ++i)
      if (model->GetAt(i)->GetType() == ElementType::Reference) return static_cast<CQvElement*>(model->GetAt(i))->GetFile();
    return nullptr;
  }

  CLibraryScope library{"", 1};
  SettingsSnapshot settings;
  CScriptedPrompt prompt;
  CFileTestHost host;
  CRecordingObserver observer;
  CScriptedModelDialogs dialogs;
  CQuorvelDoc doc;
  CScratchDir dir;

 private:
  std::filesystem::path m_cwd;
};

// Folder part of a scratch path, without the trailing '/'.
inline std::string NoSlash(const std::string& folder) {
  return folder.size() > 1 && folder.back() == '/' ? folder.substr(0, folder.size() - 1) : folder;
}
