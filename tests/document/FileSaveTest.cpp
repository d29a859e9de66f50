// Saving, the save question, New and Revert: when a file dialog is asked for and with what,
// atomic writes that leave the old file alone on failure, and the document's state afterwards.
#include <sys/resource.h>
#include <unistd.h>

#include "FileCommandsFixture.h"
#include "platform/PlatformInit.h"

namespace {

const char kSingle[] = "0 Single\n0 Name: single.ldr\n2 24 0 0 0 10 0 0\n0\n";
const char kTwo[] = "0 FILE one.ldr\n0 One\n2 24 0 0 0 10 0 0\n0\n0 FILE two.ldr\n0 Two\n0\n0\n";
const char kModelFilter[] = "Model Files (*.ldr,*.dat)|*.ldr;*.dat||";
const char kMultipartFilter[] = "Multipart Files (*.mpd)|*.mpd||";

using FileSaveTest = FileCommandsFixture;

int CountFiles(const std::string& folder) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.is_regular_file() ? 1 : 0;
  return n;
}

// When Save and Save As ask for a name, and what they ask with.
TEST_F(FileSaveTest, TheDialogIsShownWhenNeededWithTheKindsTitleFilterAndExtension) {
  struct Row {
    const char* name;
    const char* start;  // nullptr: a new untitled document
    int change;         // 0 none, 1 add a model, 2 remove one
    int ask;
    bool dialog;
    bool multi;
  };
  const Row rows[] = {
      {"opened model, Save", kSingle, 0, 0, false, false},
      {"opened model, Save As", kSingle, 0, 1, true, false},
      {"opened model turned multi-part, Save", kSingle, 1, 0, true, true},
      {"opened project, Save", kTwo, 0, 0, false, true},
      {"opened project, Save As", kTwo, 0, 1, true, true},
      {"opened project turned single, Save", kTwo, 2, 0, true, false},
      {"untitled, Save", nullptr, 0, 0, true, false},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ++n;
    std::string opened;
    if (row.start) {
      opened = Write("start" + std::to_string(n) + (row.start == kTwo ? ".mpd" : ".ldr"), row.start);
      ASSERT_EQ(Open(opened), 1);
    } else {
      ASSERT_EQ(doc.OnFileNew(), 1);
    }
    if (row.change == 1) {
      host.newModels.push_back({"added", "Added"});
      doc.OnNewModel();
      ASSERT_EQ(doc.GetProject().GetModelCount(), 2u);
    } else if (row.change == 2) {
      dialogs.choices.push_back(2);
      doc.OnRemoveModel();
      ASSERT_EQ(doc.GetProject().GetModelCount(), 1u);
    } else {
      Change("changed");
    }
    theSettings.SavePath = "/nowhere/saved";
    const std::string previousTitle = doc.GetTitle();
    Forget();
    const std::string chosen = dir / ("saved" + std::to_string(n) + (row.multi ? ".mpd" : ".ldr"));
    if (row.dialog) host.files.push_back(chosen);
    ASSERT_EQ(doc.SaveProject(row.ask), 1);
    const std::string target = row.dialog ? chosen : opened;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetMultipartState(), row.multi ? 1 : 0);
    EXPECT_EQ(doc.GetPathName(), target);
    const std::string text = ReadFileBytes(target);
    EXPECT_EQ(text.find("0 FILE ") == 0, row.multi) << text;
    EXPECT_TRUE(prompt.shown.empty());
    if (!row.dialog) {
      EXPECT_TRUE(host.fileRequests.empty());
      EXPECT_TRUE(host.recent.empty());
      EXPECT_TRUE(observer.hints.empty());
      continue;
    }
    ASSERT_EQ(host.fileRequests.size(), 1u);
    const FileDialogRequest& r = host.fileRequests[0];
    EXPECT_EQ(r.title, row.multi ? "Save Multipart File" : "Save File");
    EXPECT_EQ(r.filter, row.multi ? kMultipartFilter : kModelFilter);
    EXPECT_EQ(r.defaultExtension, row.multi ? "mpd" : "ldr");
    EXPECT_EQ(r.initialName, previousTitle);
    EXPECT_EQ(r.initialFolder, "/nowhere/saved");
    EXPECT_TRUE(r.save);
    EXPECT_EQ(theSettings.SavePath, NoSlash(dir.Path()));
    EXPECT_EQ(doc.GetTitle(), chosen.substr(chosen.rfind('/') + 1));
    EXPECT_EQ(host.recent, std::vector<std::string>{chosen});
    if (row.multi) {
      EXPECT_TRUE(observer.hints.empty());
    } else {
      // A single model takes the file's name, in its name comment too: the line list changes.
      EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_LIST_ONLY});
      EXPECT_EQ(doc.GetActiveModel()->GetName(), doc.GetTitle());
      if (std::string(row.start ? row.start : kSingle).find("0 Name:") != std::string::npos) {
        EXPECT_NE(text.find("0 Name: " + doc.GetTitle() + "\n"), std::string::npos) << text;
      }
    }
    // The next Save goes to the same file without asking.
    Change("again");
    host.fileRequests.clear();
    ASSERT_EQ(doc.OnFileSave(), 1);
    EXPECT_TRUE(host.fileRequests.empty());
    EXPECT_NE(ReadFileBytes(target).find("0 again\n"), std::string::npos);
  }
}

// What was saved reads back as the same project.
TEST_F(FileSaveTest, ASavedProjectReadsBackTheSame) {
  ASSERT_EQ(Open(Write("round.mpd", kTwo)), 1);
  Change("edited");
  const std::string text = ProjectText();
  ASSERT_EQ(doc.OnFileSave(), 1);
  doc.OnFileRevert();
  EXPECT_EQ(ProjectText(), text);
  EXPECT_EQ(doc.GetProject().GetCurrentIndex(), 0);
}

TEST_F(FileSaveTest, CancelledDialogSavesNothing) {
  Change("unsaved");
  EXPECT_EQ(doc.SaveProject(0), 0);
  EXPECT_EQ(host.fileRequests.size(), 1u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(CountFiles(dir.Path()), 0);
}

// A save that cannot create its file or cannot write it: the message, 0, the document still
// modified under its old name, the old file as it was and no temporary file left behind.
TEST_F(FileSaveTest, FailedSaveKeepsTheDocumentModifiedAndTheOldFileIntact) {
  struct Row {
    const char* name;
    std::string message;
  };
  const std::string original = std::string(kSingle);
  // Enough text that the write cannot fit under the file-size limit below.
  auto bulk = [&] {
    for (int i = 0; i < 100; ++i) Change("a rather long comment line that makes the model text grow " + std::to_string(i));
  };

  // 1. Save As into a folder that does not exist.
  {
    SCOPED_TRACE("missing folder");
    const std::string path = Write("keep1.ldr", original);
    ASSERT_EQ(Open(path), 1);
    Change("changed");
    Forget();
    host.files.push_back(dir / "no/such/folder/x.ldr");
    EXPECT_EQ(doc.OnFileSaveAs(), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Failed to create the file!\n" + dir / "no/such/folder/x.ldr" +
                                                ": No such file or directory"});
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), "keep1.ldr");
    EXPECT_TRUE(host.recent.empty());
  }
  // 2. Save to a file whose folder has gone meanwhile.
  {
    SCOPED_TRACE("folder removed");
    std::filesystem::create_directories(dir / "gone");
    const std::string path = Write("gone/keep2.ldr", original);
    doc.SetModifiedFlag(0);
    ASSERT_EQ(Open(path), 1);
    Change("changed");
    std::filesystem::remove_all(dir / "gone");
    Forget();
    EXPECT_EQ(doc.OnFileSave(), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Failed to create the file!\n" + path + ": No such file or directory"});
    EXPECT_TRUE(doc.IsModified());
  }
  // 3. A read-only folder (root may write anyway).
  if (geteuid() != 0) {
    SCOPED_TRACE("read-only folder");
    std::filesystem::create_directories(dir / "ro");
    const std::string path = Write("ro/keep3.ldr", original);
    doc.SetModifiedFlag(0);
    ASSERT_EQ(Open(path), 1);
    Change("changed");
    std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Forget();
    EXPECT_EQ(doc.OnFileSave(), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Failed to create the file!\n" + path + ": Permission denied"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFileBytes(path), original);
  }
  // 4. The write itself fails (the file-size limit): the general input/output message.
  {
    SCOPED_TRACE("write fails");
    const std::string path = Write("keep4.ldr", original);
    doc.SetModifiedFlag(0);  // no question about the previous case's document
    ASSERT_EQ(Open(path), 1);
    bulk();
    const int multipart = doc.GetMultipartState();
    Forget();
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    InitPlatform();  // as the program starts: a write past the limit then fails instead of ending it
    struct rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = doc.OnFileSave();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"General file input/output error!\n" + path + ": File too large"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetMultipartState(), multipart);
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_EQ(doc.GetPathName(), path);
  }
  // 5. A read-only file in a writable folder (for root too): said to be read-only, never replaced,
  // through Save and through Save As onto it.
  for (const bool saveAs : {false, true}) {
    SCOPED_TRACE(saveAs ? "read-only file, Save As" : "read-only file, Save");
    const std::string path = Write(saveAs ? "keep5b.ldr" : "keep5.ldr", original);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    doc.SetModifiedFlag(0);
    ASSERT_EQ(Open(saveAs ? Write("other5.ldr", original) : path), 1);
    Change("changed");
    const std::string before = doc.GetPathName();
    Forget();
    if (saveAs) host.files.push_back(path);
    EXPECT_EQ(saveAs ? doc.OnFileSaveAs() : doc.OnFileSave(), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"The file " + path +
                                                " is read-only!\nIt has not been changed; save under another "
                                                "name to keep your changes."});
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), before);
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                  std::filesystem::perms::others_read);
    EXPECT_TRUE(host.recent.empty());
  }
  // No temporary file of any failed save is left beside the files.
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir.Path()))
    EXPECT_EQ(e.path().filename().string().find(".ldr."), std::string::npos) << e.path();
}

// The save question before New, Open and exit: its three answers.
TEST_F(FileSaveTest, TheSaveQuestionsThreeAnswers) {
  struct Row {
    const char* name;
    bool modified;
    std::vector<PromptAnswer> answers;
    bool hasPath;
    bool goesOn;
    bool modifiedAfter;
    bool written;
  };
  const Row rows[] = {
      {"unmodified: no question", false, {}, true, true, false, false},
      {"Cancel", true, {PromptAnswer::Cancel}, true, false, true, false},
      {"No discards", true, {PromptAnswer::No}, true, true, true, false},
      {"Yes saves", true, {PromptAnswer::Yes}, true, true, false, true},
      {"Yes, name dialog cancelled", true, {PromptAnswer::Yes}, false, false, true, false},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = Write("ask" + std::to_string(++n) + ".ldr", kSingle);
    if (row.hasPath) {
      ASSERT_EQ(Open(path), 1);
    } else {
      ASSERT_EQ(doc.OnFileNew(), 1);
    }
    if (row.modified) Change("unsaved");
    Forget();
    prompt.answers.assign(row.answers.begin(), row.answers.end());
    EXPECT_EQ(doc.SaveModified(), row.goesOn);
    if (row.modified) {
      ASSERT_EQ(prompt.shown.size(), 1u);
      EXPECT_EQ(prompt.shown[0].text, "The file has been modified!\nSave changes?");
      EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNoCancel);
    } else {
      EXPECT_TRUE(prompt.shown.empty());
    }
    EXPECT_EQ(doc.IsModified(), row.modifiedAfter);
    EXPECT_EQ(ReadFileBytes(path).find("0 unsaved\n") != std::string::npos, row.written);
    doc.SetModifiedFlag(0);
  }
}

// New asks first; Cancel keeps the document, No makes a new untitled one.
TEST_F(FileSaveTest, NewAsksBeforeItDiscards) {
  const std::string path = Write("new.ldr", kSingle);
  ASSERT_EQ(Open(path), 1);
  Change("mine");
  const std::string text = ProjectText();
  Forget();
  prompt.answers = {PromptAnswer::Cancel};
  EXPECT_EQ(doc.OnFileNew(), 0);
  EXPECT_EQ(ProjectText(), text);
  EXPECT_EQ(doc.GetPathName(), path);
  EXPECT_TRUE(observer.hints.empty());

  prompt.answers = {PromptAnswer::No};
  EXPECT_EQ(doc.OnFileNew(), 1);
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(doc.GetTitle(), "Untitled");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetUndoCount(), 1);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_REFIT});
  EXPECT_EQ(ReadFileBytes(path), kSingle);  // No wrote nothing
}

TEST_F(FileSaveTest, Revert) {
  const std::string changedOnDisk = "0 Changed on disk\n2 24 0 0 0 1 1 1\n2 24 0 0 0 2 2 2\n0\n";
  struct Row {
    const char* name;
    bool modified;
    std::vector<PromptAnswer> answers;
    bool removeFile;
    std::vector<std::string> messages;
    bool reloaded;
  };
  const Row rows[] = {
      {"modified, Yes", true, {PromptAnswer::Yes}, false, {"Discard changes?"}, true},
      {"modified, No", true, {PromptAnswer::No}, false, {"Discard changes?"}, false},
      {"unmodified: reloads without asking", false, {}, false, {}, true},
      // The file is gone: the unsaved changes must stay.
      {"modified, file gone", true, {PromptAnswer::Yes, PromptAnswer::Ok}, true,
       {"Discard changes?", "Failed to open the file " + (dir / "rev4.ldr") + "!\nNo such file or directory"}, false},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = Write("rev" + std::to_string(++n) + ".ldr", kSingle);
    ASSERT_EQ(Open(path), 1);
    if (row.modified) Change("pending");
    const std::string before = ProjectText();
    const int count = doc.GetUndoCount();
    if (row.removeFile) {
      std::filesystem::remove(path);
    } else {
      Write("rev" + std::to_string(n) + ".ldr", changedOnDisk);
    }
    Forget();
    prompt.answers.assign(row.answers.begin(), row.answers.end());
    doc.OnFileRevert();
    EXPECT_EQ(Shown(), row.messages);
    if (row.reloaded) {
      EXPECT_NE(ProjectText().find("0 Changed on disk\n"), std::string::npos);
      EXPECT_FALSE(doc.IsModified());
      EXPECT_EQ(doc.GetUndoCount(), 1);
      EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_REFIT});
      EXPECT_EQ(host.messages, std::vector<unsigned>{WM_MODEL_CHANGED});
    } else {
      EXPECT_EQ(ProjectText(), before);
      EXPECT_EQ(doc.IsModified(), row.modified);
      EXPECT_EQ(doc.GetUndoCount(), count);
      EXPECT_TRUE(observer.hints.empty());
    }
    doc.SetModifiedFlag(0);
  }
}

// A document that was never saved has nothing to go back to: Revert is off and does nothing.
TEST_F(FileSaveTest, RevertWithoutAFileDoesNothing) {
  Change("untitled work");
  EXPECT_FALSE(doc.CanRevert());
  doc.OnFileRevert();
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_NE(ProjectText().find("0 untitled work\n"), std::string::npos);
}

// The enable rules of the file and multipart commands, from the document's state.
TEST_F(FileSaveTest, EnableRules) {
  struct Row {
    const char* name;
    const char* file;  // nullptr: untitled
    int editOnLoad;
    bool modify;
    bool save, revert, add, activate, edit;
  };
  const Row rows[] = {
      {"untitled", nullptr, 1, false, false, false, true, false, false},
      {"untitled, modified", nullptr, 1, true, true, false, true, false, false},
      {"model, edit mode", kSingle, 1, false, false, false, true, false, false},
      {"model, modified", kSingle, 1, true, true, true, true, false, false},
      {"project, edit mode", kTwo, 1, false, false, false, true, true, true},
      {"project, view mode", kTwo, 0, false, false, false, false, true, false},
      {"project, view mode, modified", kTwo, 0, true, true, true, false, true, false},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    theSettings.EditOnLoad = row.editOnLoad;
    if (row.file) {
      ASSERT_EQ(Open(Write("rule" + std::to_string(++n) + ".ldr", row.file)), 1);
    } else {
      ASSERT_EQ(doc.OnFileNew(), 1);
    }
    if (row.modify) Change("x");
    EXPECT_EQ(doc.CanSave(), row.save);
    EXPECT_EQ(doc.CanRevert(), row.revert);
    EXPECT_EQ(doc.CanAddModel(), row.add);
    EXPECT_EQ(doc.CanActivateModel(), row.activate);
    EXPECT_EQ(doc.CanEditModels(), row.edit);
    doc.SetModifiedFlag(0);
  }
}

}  // namespace
