// The Multipart menu: adding, activating, renaming, importing, removing, reordering and exporting
// the project's models, with their hints, messages, undo pushes and step resets.
#include <functional>

#include "FileCommandsFixture.h"

namespace {

const char kThree[] =
    "0 FILE main.ldr\n0 Main\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 wall.ldr\n0 STEP\n2 24 0 0 0 1 0 0\n0\n"
    "0 FILE wall.ldr\n0 Wall\n2 24 0 0 0 10 0 0\n0\n"
    "0 FILE roof.ldr\n0 Roof\n2 24 0 0 0 0 10 0\n0\n0\n";

using MultipartCommandsTest = FileCommandsFixture;

std::vector<std::string> Names(std::initializer_list<const char*> names) { return {names.begin(), names.end()}; }

// Every command that changes the project: its effect, hint, message, and whether it pushes an
// undo snapshot (and so marks the document modified).
TEST_F(MultipartCommandsTest, EachCommandChangesTellsAndPushes) {
  struct Row {
    const char* name;
    std::function<void(MultipartCommandsTest&)> script;  // queues the dialogs' answers
    std::function<void(CQuorvelDoc&)> command;
    std::vector<std::string> names;  // afterwards
    const char* active;
    uint32_t hint;
    bool pushes;
  };
  const Row rows[] = {
      {"new model",
       [](MultipartCommandsTest& t) { t.host.newModels.push_back({"door", "A door"}); },
       [](CQuorvelDoc& d) { d.OnNewModel(); },
       Names({"main.ldr", "wall.ldr", "roof.ldr", "door.ldr"}), "door.ldr", HINT_REFIT, true},
      {"activate model",
       [](MultipartCommandsTest& t) { t.dialogs.choices.push_back(3); },
       [](CQuorvelDoc& d) { d.OnActivateModel(); },
       Names({"main.ldr", "wall.ldr", "roof.ldr"}), "roof.ldr", HINT_REFIT, false},
      {"change model info",
       [](MultipartCommandsTest& t) { t.dialogs.infos.push_back({"base.ldr", "The base"}); },
       [](CQuorvelDoc& d) { d.OnChangeModelInfo(); },
       Names({"base.ldr", "wall.ldr", "roof.ldr"}), "base.ldr", HINT_LIST_ONLY | HINT_MODEL_INFO, true},
      {"import model",
       [](MultipartCommandsTest& t) { t.host.files.push_back(t.Write("chimney.ldr", "0 Chimney\n2 24 0 0 0 1 1 1\n")); },
       [](CQuorvelDoc& d) { d.OnImportModel(); },
       Names({"main.ldr", "wall.ldr", "roof.ldr", "chimney.ldr"}), "chimney.ldr", HINT_REFIT, true},
      {"remove model",
       [](MultipartCommandsTest& t) { t.dialogs.choices.push_back(3); },
       [](CQuorvelDoc& d) { d.OnRemoveModel(); },
       Names({"main.ldr", "wall.ldr"}), "main.ldr", HINT_REFIT, true},
      {"model sequence",
       [](MultipartCommandsTest& t) { t.dialogs.sequences.push_back({2, 0, 1}); },
       [](CQuorvelDoc& d) { d.OnModelSequence(); },
       Names({"roof.ldr", "main.ldr", "wall.ldr"}), "roof.ldr", HINT_REFIT, true},
      {"model box", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.SelectActiveModel(1); },
       Names({"main.ldr", "wall.ldr", "roof.ldr"}), "wall.ldr", HINT_REFIT, false},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    doc.SetModifiedFlag(0);
    ASSERT_EQ(Open(Write("house" + std::to_string(++n) + ".mpd", kThree)), 1);
    Forget();
    row.script(*this);
    row.command(doc);
    EXPECT_EQ(doc.GetModelNames(), row.names);
    ASSERT_NE(doc.GetActiveModel(), nullptr);
    EXPECT_EQ(doc.GetActiveModel()->GetName(), row.active);
    EXPECT_EQ(doc.GetActiveModel(), doc.GetProject().GetCurrentFile());
    EXPECT_EQ(observer.hints, std::vector<uint32_t>{row.hint});
    EXPECT_EQ(host.messages, std::vector<unsigned>{WM_MODEL_CHANGED});
    EXPECT_EQ(doc.GetUndoCount(), row.pushes ? 2 : 1);
    EXPECT_EQ(doc.IsModified(), row.pushes);
    EXPECT_TRUE(prompt.shown.empty()) << (prompt.shown.empty() ? "" : prompt.shown[0].text);
    // None of them starts the ring again: Undo returns to the project as it was opened.
    if (row.pushes) {
      doc.OnEditUndo();
      EXPECT_EQ(doc.GetModelNames(), Names({"main.ldr", "wall.ldr", "roof.ldr"}));
    }
  }
}

// Renaming a model that another model places renames that line too, in the same undo step: the
// saved project keeps the model, and one Undo brings every name back.
TEST_F(MultipartCommandsTest, RenamingAPlacedModelIsOneUndoStep) {
  ASSERT_EQ(Open(Write("rename.mpd", kThree)), 1);
  doc.SelectActiveModel(1);
  const int undo = doc.GetUndoCount();
  dialogs.infos.push_back({"brick", "A brick"});
  doc.OnChangeModelInfo();
  EXPECT_EQ(doc.GetUndoCount(), undo + 1);
  const std::string renamed = ProjectText();
  EXPECT_EQ(renamed.find("wall.ldr"), std::string::npos) << renamed;
  EXPECT_NE(renamed.find("0 0 0 1 brick.ldr\n"), std::string::npos) << renamed;
  // Saved and opened again, main still places the renamed model.
  ASSERT_EQ(doc.OnFileSave(), 1);
  doc.OnFileRevert();
  EXPECT_TRUE(prompt.shown.empty()) << (prompt.shown.empty() ? "" : prompt.shown[0].text);
  EXPECT_EQ(ProjectText(), renamed);
  EXPECT_EQ(FirstReferencedFile(), doc.GetProject().GetModel(1));
  // Renamed again: one Undo brings every name back.
  doc.SelectActiveModel(1);
  dialogs.infos.push_back({"wall.ldr", "Wall"});
  doc.OnChangeModelInfo();
  doc.OnEditUndo();
  EXPECT_EQ(ProjectText(), renamed);
}

// Cancelled dialogs and refusals change nothing and tell no one.
TEST_F(MultipartCommandsTest, CancelledOrRefusedCommandsChangeNothing) {
  struct Row {
    const char* name;
    std::function<void(MultipartCommandsTest&)> script;
    std::function<void(CQuorvelDoc&)> command;
    std::vector<std::string> messages;
  };
  const Row rows[] = {
      {"new model cancelled", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.OnNewModel(); }, {}},
      {"new model with a name in use",
       [](MultipartCommandsTest& t) { t.host.newModels.push_back({"WALL", ""}); },
       [](CQuorvelDoc& d) { d.OnNewModel(); },
       {"Name has already been used for another submodel!\nPlease insert a new name."}},
      {"activate cancelled", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.OnActivateModel(); }, {}},
      {"activate the active model",
       [](MultipartCommandsTest& t) { t.dialogs.choices.push_back(1); },
       [](CQuorvelDoc& d) { d.OnActivateModel(); }, {}},
      {"model info cancelled", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.OnChangeModelInfo(); }, {}},
      {"import cancelled", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.OnImportModel(); }, {}},
      {"import of a missing file",
       [](MultipartCommandsTest& t) { t.host.files.push_back(t.dir / "none.ldr"); },
       [](CQuorvelDoc& d) { d.OnImportModel(); },
       {"Failed to open the file " + std::string(dir / "none.ldr") + "!\nNo such file or directory"}},
      {"import of a multi-part file",
       [](MultipartCommandsTest& t) { t.host.files.push_back(t.Write("other.mpd", "0 FILE x.ldr\n0\n0 FILE y.ldr\n0\n")); },
       [](CQuorvelDoc& d) { d.OnImportModel(); },
       {"The file %s holds several models (0 FILE sections) and cannot be imported as one model."}},
      {"remove cancelled", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.OnRemoveModel(); }, {}},
      {"remove a referenced model, No",
       [](MultipartCommandsTest& t) {
         t.dialogs.choices.push_back(2);
         t.prompt.answers.push_back(PromptAnswer::No);
       },
       [](CQuorvelDoc& d) { d.OnRemoveModel(); },
       {"Other submodels are referencing the model\nyou are going to delete!\nDelete anyway?"}},
      {"sequence cancelled", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.OnModelSequence(); }, {}},
      {"model box past the end", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.SelectActiveModel(3); }, {}},
      {"model box below 0", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.SelectActiveModel(-1); }, {}},
      {"model box on the active model", [](MultipartCommandsTest&) {}, [](CQuorvelDoc& d) { d.SelectActiveModel(0); }, {}},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    doc.SetModifiedFlag(0);
    ASSERT_EQ(Open(Write("keep" + std::to_string(++n) + ".mpd", kThree)), 1);
    const std::string text = ProjectText();
    Forget();
    row.script(*this);
    row.command(doc);
    std::vector<std::string> messages = row.messages;
    // The refused import names the file it refused.
    for (std::string& m : messages)
      if (size_t at = m.find("%s"); at != std::string::npos) m.replace(at, 2, dir / "other.mpd");
    EXPECT_EQ(Shown(), messages);
    EXPECT_EQ(ProjectText(), text);
    EXPECT_EQ(doc.GetProject().GetCurrentIndex(), 0);
    EXPECT_EQ(doc.GetActiveModel(), doc.GetProject().GetCurrentFile());
    EXPECT_TRUE(observer.hints.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(doc.IsModified());
  }
}

// The dialogs are asked with the right presets and titles.
TEST_F(MultipartCommandsTest, DialogsAreAskedWithTheirPresets) {
  ASSERT_EQ(Open(Write("presets.mpd", kThree)), 1);
  theSettings.SavePath = "/nowhere/models";
  doc.OnNewModel();
  ASSERT_EQ(host.newModelPresets.size(), 1u);
  EXPECT_EQ(host.newModelPresets[0], (std::pair<std::string, std::string>{"New Model", ""}));
  Forget();
  doc.OnImportModel();
  ASSERT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(host.fileRequests[0].title, "Import Model");
  EXPECT_EQ(host.fileRequests[0].filter, "Model Files (*.ldr,*.dat)|*.ldr;*.dat||");
  EXPECT_EQ(host.fileRequests[0].initialFolder, "/nowhere/models");
  EXPECT_FALSE(host.fileRequests[0].save);
  doc.SelectActiveModel(2);
  doc.OnActivateModel();
  ASSERT_EQ(dialogs.offered.size(), 1u);
  EXPECT_EQ(dialogs.offered[0], Names({"main.ldr", "wall.ldr", "roof.ldr"}));
  EXPECT_EQ(dialogs.preselected[0], 3);
}

// An Undo that lands in another model shows it as activating it does; one that stays in the
// model redraws it as it is.
TEST_F(MultipartCommandsTest, UndoIntoAnotherModelRefitsAsActivating) {
  ASSERT_EQ(Open(Write("undo.mpd", kThree)), 1);
  host.newModels.push_back({"door", ""});
  doc.OnNewModel();
  ASSERT_EQ(doc.GetActiveModel()->GetName(), "door.ldr");
  doc.SetModifiedFlag(1);  // a change inside the door
  host.newModels.push_back({"gate", ""});
  doc.OnNewModel();
  ASSERT_EQ(doc.GetUndoCount(), 4);
  struct Step {
    const char* active;
    uint32_t hint;
  } steps[] = {{"door.ldr", HINT_REFIT}, {"door.ldr", HINT_FULL}, {"main.ldr", HINT_REFIT}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.active);
    Forget();
    doc.OnEditUndo();
    EXPECT_EQ(doc.GetActiveModel()->GetName(), step.active);
    EXPECT_EQ(observer.hints, std::vector<uint32_t>{step.hint});
    EXPECT_EQ(host.messages, std::vector<unsigned>{WM_MODEL_CHANGED});
    EXPECT_EQ(doc.GetShownStep(), -1);
  }
}

// Another model in view mode starts at its first step.
TEST_F(MultipartCommandsTest, ActivatingInViewModeStartsAtTheFirstStep) {
  theSettings.EditOnLoad = 0;
  ASSERT_EQ(Open(Write("view.mpd", kThree)), 1);
  ASSERT_EQ(doc.GetEditMode(), 0);
  dialogs.choices.push_back(2);
  doc.OnActivateModel();
  EXPECT_EQ(doc.GetActiveModel()->GetName(), "wall.ldr");
  EXPECT_EQ(doc.GetShownStep(), 1);
  EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
  doc.SelectActiveModel(0);
  EXPECT_EQ(doc.GetShownStep(), 1);
  EXPECT_EQ(doc.GetActiveModel()->GetName(), "main.ldr");
  // The editing commands of the menu are off in view mode.
  host.newModels.push_back({"door", ""});
  doc.OnNewModel();
  EXPECT_EQ(doc.GetProject().GetModelCount(), 3u);
  EXPECT_EQ(host.newModels.size(), 1u);  // not even asked
}

TEST_F(MultipartCommandsTest, ExportWritesEveryModelIntoTheChosenFolder) {
  ASSERT_EQ(Open(Write("export.mpd", kThree)), 1);
  doc.OnExportModels();  // cancelled: nothing
  CScratchDir out;
  host.folders.push_back(NoSlash(out.Path()));
  doc.OnExportModels();
  EXPECT_EQ(ReadFileBytes(out / "wall.ldr").find("0 Wall\n"), 0u);
  EXPECT_NE(ReadFileBytes(out / "main.ldr").find("wall.ldr"), std::string::npos);
  EXPECT_FALSE(ReadFileBytes(out / "roof.ldr").empty());
  EXPECT_FALSE(doc.IsModified());
}

// A single model that gets a second one asks for a multi-part name at the next Save, and the
// saved project reads back with both models.
TEST_F(MultipartCommandsTest, AModelAddedToASingleModelIsSavedAsAProject) {
  ASSERT_EQ(Open(Write("solo.ldr", "0 Solo\n0 Name: solo.ldr\n2 24 0 0 0 1 1 1\n0\n")), 1);
  host.newModels.push_back({"extra", "Extra"});
  doc.OnNewModel();
  Forget();
  host.files.push_back(dir / "solo.mpd");
  ASSERT_EQ(doc.OnFileSave(), 1);
  ASSERT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(host.fileRequests[0].title, "Save Multipart File");
  EXPECT_EQ(ReadFileBytes(dir / "solo.ldr"), "0 Solo\n0 Name: solo.ldr\n2 24 0 0 0 1 1 1\n0\n");
  ASSERT_EQ(doc.OnFileNew(), 1);
  ASSERT_TRUE(doc.OnOpenDocument(dir / "solo.mpd"));
  EXPECT_EQ(doc.GetModelNames(), Names({"solo.ldr", "extra.ldr"}));
  EXPECT_EQ(doc.GetMultipartState(), 1);
}

}  // namespace
