// The project of several models: its text, the set of models, the recursion check, export and
// undo snapshots.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "config/Settings.h"
#include "model/CopyBuffer.h"
#include "model/ModelLineReader.h"
#include "model/MpdFile.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/Dib.h"
#include "tests/model/RecordingRenderer.h"
#include "tests/model/LibraryScope.h"
#include "tests/model/ModelText.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SettingsSnapshot.h"
#include "tests/support/TestData.h"

namespace {

std::string WriteProject(CMpdFile& project) {
  CArrayTextHandler out;
  EXPECT_EQ(project.WriteTo(out, "test.mpd"), 1);
  return Joined(out);
}

std::vector<CQvElement*> References(const CQvFile& model) {
  std::vector<CQvElement*> refs;
  for (size_t i = 0; i < model.GetCount(); ++i)
    if (model.GetAt(i)->GetType() == ElementType::Reference) refs.push_back(static_cast<CQvElement*>(model.GetAt(i)));
  return refs;
}

const char kPlace[] = "1 4 0 0 0 1 0 0 0 1 0 0 0 1 ";

class MpdFileTest : public ::testing::Test {
 protected:
  CLibraryScope library{"", 0};
};

TEST_F(MpdFileTest, OneModelIsPlainTextAndSeveralAreSections) {
  CMpdFile project;
  project.GetCurrentFile()->SetName("main");
  project.GetCurrentFile()->Append(std::make_unique<CQvCommentPart>("hello"));
  const std::string one = WriteProject(project);
  EXPECT_EQ(one.find("0 FILE"), std::string::npos);
  EXPECT_TRUE(one.ends_with("0\n"));

  const std::string second = "part";
  ASSERT_EQ(project.AddModel(&second, nullptr), 1);
  EXPECT_EQ(project.GetCurrentFile()->GetName(), "part.ldr");  // typed names get ".ldr"
  const std::string two = WriteProject(project);
  EXPECT_EQ(two.rfind("0 FILE main.ldr\n", 0), 0u) << two;
  EXPECT_NE(two.find("0 FILE part.ldr\n"), std::string::npos);
  // The second model's own "0", then the line that closes the project.
  EXPECT_TRUE(two.ends_with("0\n0\n")) << two;
}

TEST_F(MpdFileTest, LeadingLinesBelongToTheFirstModelNamedByTheFirstSection) {
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, "0 leading\n0 FILE a.ldr\n0 in a\n0\n0 FILE b.ldr\n0 in b\n0\n0\n"), 1);
  ASSERT_EQ(project.GetModelCount(), 2u);
  CQvFile* a = project.GetModel(0);
  EXPECT_EQ(a->GetName(), "a.ldr");
  ASSERT_EQ(a->GetCount(), 2u);
  EXPECT_EQ(static_cast<CQvCommentPart*>(a->GetAt(0))->GetText(), "leading");
  EXPECT_EQ(static_cast<CQvCommentPart*>(a->GetAt(1))->GetText(), "in a");
  // The closing "0" belongs to no model: b keeps only its comment.
  EXPECT_EQ(project.GetModel(1)->GetCount(), 1u);
  EXPECT_EQ(project.GetCurrentFile(), a);
}

TEST_F(MpdFileTest, SectionNamesAreKeptAsReadAndStillResolve) {
  CMpdFile project;
  const std::string text = std::string("0 FILE x.mpd\n") + kPlace + "wheel\n0\n0 FILE wheel\n0 a wheel\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text), 1);
  ASSERT_EQ(project.GetModelCount(), 2u);
  EXPECT_EQ(project.GetModel(0)->GetName(), "x.mpd");
  EXPECT_EQ(project.GetModel(1)->GetName(), "wheel");
  auto refs = References(*project.GetModel(0));
  ASSERT_EQ(refs.size(), 1u);
  EXPECT_EQ(refs[0]->GetFile(), project.GetModel(1));
  const std::string out = WriteProject(project);
  EXPECT_NE(out.find("0 FILE x.mpd\n"), std::string::npos);
  EXPECT_NE(out.find("0 FILE wheel\n"), std::string::npos);
  EXPECT_EQ(out.find(".ldr"), std::string::npos) << out;
}

TEST_F(MpdFileTest, EmptyLinesOfAProjectAreKept) {
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, "0 a\n\n0 b\n"), 1);
  EXPECT_EQ(project.GetCurrentFile()->GetCount(), 3u);
  EXPECT_NE(WriteProject(project).find("0 a\n\n0 b\n"), std::string::npos);
}

TEST_F(MpdFileTest, LineNumbersOfErrorsCountOverTheWholeText) {
  CLibraryScope warnings{"", 1};
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::Yes);
  CMpdFile project;
  // Line 6 is the bad one: line 1 of the second section would be 2.
  ASSERT_EQ(LoadProjectText(project, "0 FILE a.ldr\n0 x\n0\n0 FILE b.ldr\n\n1 4 0 0\n0\n0\n", "p.mpd"), 1);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("p.mpd at line 6"), std::string::npos) << prompt.shown[0].text;
  EXPECT_EQ(project.GetLineErrorCount(), 1u);
}

// No line of a project is lost: a long line is read whole, one beyond the bound is kept as read
// (never taken for a "0 FILE" line) and reported with its file and line.
TEST_F(MpdFileTest, LongLinesAreKeptWholeAndReportedBeyondTheBound) {
  CLibraryScope warnings{"", 1};
  CScriptedPrompt prompt;
  CMpdFile project;
  const std::string comment = "0 " + std::string(2000, 'c');
  const std::string huge = "0 FILE " + std::string(kMaxModelLineLength, 'h');
  const std::string text = "0 FILE a.ldr\n" + comment + "\n0\n0 FILE b.ldr\n" + huge + "\n0 b\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text, "long.mpd"), 1);
  EXPECT_EQ(project.GetModelNames(), (std::vector<std::string>{"a.ldr", "b.ldr"}));
  EXPECT_EQ(project.GetLineErrorCount(), 0u);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("Line 5 of long.mpd is longer than 65536"), std::string::npos)
      << prompt.shown[0].text;
  const std::string out = WriteProject(project);
  EXPECT_TRUE(out == "0 FILE a.ldr\n" + comment + "\n" + kDefaultRotationLines + "0\n0 FILE b.ldr\n" +
                         kDefaultRotationLines + huge + "\n0 b\n0\n0\n");
  CMpdFile again;
  ASSERT_EQ(LoadProjectText(again, out, "long.mpd"), 1);
  EXPECT_TRUE(WriteProject(again) == out);
}

// Renaming a model renames every line that places it, in any letter case and in every model
// (itself and the copy buffer included), so the saved project still holds what it placed.
TEST_F(MpdFileTest, RenamingAModelRenamesTheLinesThatPlaceIt) {
  CScriptedPrompt prompt;
  CMpdFile project;
  const std::string text = std::string("0 FILE main.ldr\n") + kPlace + "wall.ldr\n" + kPlace + "WALL.LDR\n" + kPlace +
                           "roof.ldr\n0\n0 FILE wall.ldr\n0 Wall\n0 Name: wall.ldr\n0\n0 FILE roof.ldr\n" + kPlace +
                           "Wall.ldr\n" + kPlace + "wallpaper.ldr\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text), 1);
  CCopyBuffer::Clear();
  CCopyBuffer::Add(References(*project.GetModel(0))[0]->Clone());
  ASSERT_EQ(project.ActivateModel(2), 1);
  ASSERT_EQ(project.SetModelInfo("brick", "A brick"), 1);
  EXPECT_EQ(project.GetModelNames(), (std::vector<std::string>{"main.ldr", "brick.ldr", "roof.ldr"}));
  const std::string out = WriteProject(project);
  EXPECT_EQ(out.find("wall.ldr"), std::string::npos) << out;
  EXPECT_EQ(out.find("WALL.LDR"), std::string::npos) << out;
  EXPECT_NE(out.find("wallpaper.ldr"), std::string::npos) << "another name is left alone";
  EXPECT_NE(out.find("0 Name: brick.ldr\n"), std::string::npos) << out;
  auto* copied = dynamic_cast<CQvElement*>(CCopyBuffer::GetNext(1));
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->GetFileName(), "brick.ldr");
  CCopyBuffer::Clear();
  for (CQvElement* ref : References(*project.GetModel(0))) EXPECT_NE(ref->GetFileName(), "wall.ldr");
  // Read back, every renamed line places the model again.
  CMpdFile again;
  ASSERT_EQ(LoadProjectText(again, out), 1);
  CQvFile* brick = again.GetModel(1);
  auto main = References(*again.GetModel(0));
  ASSERT_EQ(main.size(), 3u);
  EXPECT_EQ(main[0]->GetFile(), brick);
  EXPECT_EQ(main[1]->GetFile(), brick);
  EXPECT_EQ(References(*again.GetModel(2))[0]->GetFile(), brick);
}

// A background picture beside a project is found in the project's folder (not in the process's
// current folder), in every model and in a snapshot restored by Undo.
TEST_F(MpdFileTest, BackgroundPictureIsFoundBesideTheProject) {
  CScratchDir dir;
  CDib sky;
  ASSERT_EQ(sky.Create(4, 2, true), 1);
  ASSERT_EQ(sky.SaveBmp(dir / "sky.bmp"), 1);
  CScriptedPrompt prompt;
  CMpdFile project;
  project.SetModelFolder(dir.Path());
  const std::string model = "0 BACKGROUND sky.bmp\n2 24 0 0 0 1 0 0\n0 STEP\n0\n";
  ASSERT_EQ(LoadProjectText(project, "0 FILE a.ldr\n" + model + "0 FILE b.ldr\n" + model + "0\n"), 1);
  auto drawSteps = [](CQvFile& file) {
    CRecordingRenderer r;
    r.Reset(8, 8, 0);
    r.BeginFrame(8, 8);
    file.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 16, file.CountSteps(), 0, 0, 0);
    return file.backgroundName;
  };
  EXPECT_EQ(drawSteps(*project.GetModel(0)), "sky.bmp");
  EXPECT_EQ(drawSteps(*project.GetModel(1)), "sky.bmp");
  project.LoadUndo(project.SaveUndo().get());
  EXPECT_EQ(drawSteps(*project.GetModel(1)), "sky.bmp");
}

TEST_F(MpdFileTest, ACycleDisablesOnlyTheClosingReferenceAndKeepsItsName) {
  CScriptedPrompt prompt;
  CMpdFile project;
  const std::string text = std::string("0 FILE a.ldr\n") + kPlace + "b.ldr\n" + kPlace + "c.ldr\n0\n" +
                           "0 FILE b.ldr\n" + kPlace + "a.ldr\n0\n" + "0 FILE c.ldr\n0 leaf\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text), 1);
  CQvFile *a = project.GetModel(0), *b = project.GetModel(1), *c = project.GetModel(2);
  auto refsA = References(*a);
  auto refsB = References(*b);
  ASSERT_EQ(refsA.size(), 2u);
  ASSERT_EQ(refsB.size(), 1u);
  EXPECT_EQ(refsA[0]->GetFile(), b);
  EXPECT_EQ(refsA[1]->GetFile(), c);
  EXPECT_EQ(refsB[0]->GetFile(), nullptr);  // closes the cycle: not drawn
  EXPECT_EQ(refsB[0]->GetFileName(), "a.ldr");
  EXPECT_EQ(project.HasRecursion(), 0);
  const std::string out = WriteProject(project);
  const std::string bSection = out.substr(out.find("0 FILE b.ldr\n"));
  EXPECT_NE(bSection.find(std::string(kPlace) + "a.ldr\n"), std::string::npos) << out;
  CMpdFile again;
  ASSERT_EQ(LoadProjectText(again, out), 1);
  EXPECT_EQ(WriteProject(again), out);
}

TEST_F(MpdFileTest, RemovingAModelReleasesTheCopyBuffersReferences) {
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::Yes);
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project,
                            std::string("0 FILE a.ldr\n") + kPlace + "b.ldr\n0\n0 FILE b.ldr\n0 b\n0\n0\n"),
            1);
  auto refs = References(*project.GetModel(0));
  ASSERT_EQ(refs.size(), 1u);
  CCopyBuffer::Clear();
  ASSERT_EQ(CCopyBuffer::Add(refs[0]->Clone()), 1);
  auto* held = static_cast<CQvElement*>(CCopyBuffer::GetNext(1));
  ASSERT_EQ(held->GetFile(), project.GetModel(1));
  ASSERT_EQ(project.RemoveModel(2), 1);
  EXPECT_EQ(prompt.shown.size(), 1u);  // "Other submodels are referencing the model..."
  EXPECT_EQ(held->GetFile(), nullptr);
  EXPECT_EQ(held->GetFileName(), "b.ldr");
  EXPECT_EQ(refs[0]->GetFile(), nullptr);
  CCopyBuffer::Clear();
}

TEST_F(MpdFileTest, RemoveAndActivateFollowTheirRules) {
  CScriptedPrompt prompt;
  CMpdFile project;
  EXPECT_EQ(project.RemoveModel(1), 0);  // the last model stays
  const std::string b = "b", c = "c";
  project.AddModel(&b, nullptr);
  project.AddModel(&c, nullptr);
  EXPECT_EQ(project.ActivateModel(7), 1);  // beyond the count: the first model
  EXPECT_EQ(project.GetCurrentIndex(), 0);
  project.ActivateModel(2);
  ASSERT_EQ(project.RemoveModel(2), 1);  // the current one: the first becomes current
  EXPECT_EQ(project.GetCurrentIndex(), 0);
  EXPECT_EQ(project.GetModelNames(), (std::vector<std::string>{"", "c.ldr"}));
}

TEST_F(MpdFileTest, ExportStaysInsideTheFolderAndNeverOverwritesByCase) {
  CScriptedPrompt prompt;
  CScratchDir dir;
  const std::string out = dir.Path() + "out";
  std::filesystem::create_directories(out);
  CMpdFile project;
  const std::string text = "0 FILE ../evil.ldr\n0 e\n0\n0 FILE /tmp/abs.ldr\n0 a\n0\n"
                           "0 FILE Wheel.ldr\n0 W\n0\n0 FILE wheel.ldr\n0 w\n0\n0\n";
  ASSERT_EQ(LoadProjectText(project, text), 1);
  project.ExportModels(out);
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(out)) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 4u);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "evil.ldr"));
  EXPECT_TRUE(std::filesystem::exists(out + "/Wheel.ldr"));
  EXPECT_NE(ReadFileBytes(out + "/Wheel.ldr").find("0 W\n"), std::string::npos);
  EXPECT_EQ(CMpdFile::SafeExportName("../../x.ldr"), "x.ldr");
  EXPECT_EQ(CMpdFile::SafeExportName("/abs/y.ldr"), "abs_y.ldr");
  EXPECT_EQ(CMpdFile::SafeExportName(".."), "");
}

TEST_F(MpdFileTest, UndoOfOneModelKeepsItsName) {
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, "0 FILE only.mpd\n0 c\n0\n"), 1);
  ASSERT_EQ(project.GetModelCount(), 1u);
  auto snapshot = project.SaveUndo();
  ASSERT_TRUE(snapshot);
  EXPECT_EQ(snapshot->GetLines()[0], "0\n");
  const std::string before = WriteProject(project);
  project.GetCurrentFile()->RemoveAll();
  project.LoadUndo(snapshot.get());
  EXPECT_EQ(project.GetCurrentFile()->GetName(), "only.mpd");
  EXPECT_EQ(WriteProject(project), before);
}

TEST_F(MpdFileTest, UndoRestoresTheCurrentModel) {
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, "0 FILE a\n0\n0 FILE b\n0 x\n0\n0 FILE c\n0\n0\n"), 1);
  project.ActivateModel(2);
  auto snapshot = project.SaveUndo();
  ASSERT_TRUE(snapshot);
  EXPECT_EQ(snapshot->GetLines()[0], "1\n");
  const std::string before = WriteProject(project);
  project.ActivateModel(1);
  project.LoadUndo(snapshot.get());
  EXPECT_EQ(project.GetCurrentIndex(), 1);
  EXPECT_EQ(WriteProject(project), before);

  CArrayTextHandler stale;
  stale.WriteString("9\n");
  for (const char* line : {"0 FILE a\n", "0\n", "0 FILE b\n", "0\n", "0\n"}) stale.WriteString(line);
  project.LoadUndo(&stale);
  EXPECT_EQ(project.GetModelCount(), 2u);
  EXPECT_EQ(project.GetCurrentIndex(), 0);
}

TEST_F(MpdFileTest, ARefusedImportSaysWhy) {
  CScriptedPrompt prompt;
  CScratchDir dir;
  WriteFileBytes(dir.Path() + "multi.mpd", "0 FILE a.ldr\n0 x\n0\n");
  WriteFileBytes(dir.Path() + "plain.ldr", "0 plain\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 a.ldr\n");
  CMpdFile project;
  const std::string a = "a";
  project.GetCurrentFile()->SetName(a);
  EXPECT_EQ(project.ImportModel(dir.Path() + "multi.mpd", "multi.mpd"), 0);
  EXPECT_EQ(project.GetModelCount(), 1u);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("multi.mpd"), std::string::npos);
  ASSERT_EQ(project.ImportModel(dir.Path() + "plain.ldr", "plain.ldr"), 1);
  EXPECT_EQ(project.GetModelCount(), 2u);
  EXPECT_EQ(project.GetCurrentIndex(), 1);
  auto refs = References(*project.GetCurrentFile());
  ASSERT_EQ(refs.size(), 1u);
  EXPECT_EQ(refs[0]->GetFile(), project.GetModel(0));
}

TEST_F(MpdFileTest, ReorderPutsModelsInTheGivenOrder) {
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, "0 FILE a\n0\n0 FILE b\n0\n0 FILE c\n0\n0\n"), 1);
  EXPECT_EQ(project.Reorder({2, 0, 1}), 1);
  EXPECT_EQ(project.GetModelNames(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(project.GetCurrentIndex(), 0);
  EXPECT_EQ(project.Reorder({0, 0, 1}), 0);
}

// Many sections: every name is registered once the names are known, so references to models that
// come later in the text resolve, and a snapshot restores the same project.
TEST_F(MpdFileTest, ManyModelsPlacedByNameResolveToTheirSections) {
  constexpr int kModels = 300;
  std::string text = "0 FILE main.ldr\n";
  for (int i = 1; i < kModels; ++i) text += std::string(kPlace) + "Sub" + std::to_string(i) + ".ldr\n";
  text += "0\n";
  for (int i = 1; i < kModels; ++i) {
    text += "0 FILE sub" + std::to_string(i) + ".ldr\n";
    if (i + 1 < kModels) text += std::string(kPlace) + "SUB" + std::to_string(i + 1) + ".LDR\n";
    text += "0\n";
  }
  text += "0\n";
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, text), 1);
  ASSERT_EQ(project.GetModelCount(), static_cast<size_t>(kModels));
  auto check = [&](const CMpdFile& p) {
    const std::vector<CQvElement*> refs = References(*p.GetModel(0));
    ASSERT_EQ(refs.size(), static_cast<size_t>(kModels - 1));
    for (int i = 1; i < kModels; ++i) {
      EXPECT_EQ(refs[static_cast<size_t>(i - 1)]->GetFile(), p.GetModel(static_cast<size_t>(i)));
      if (i + 1 < kModels)
        EXPECT_EQ(References(*p.GetModel(static_cast<size_t>(i))).at(0)->GetFile(), p.GetModel(static_cast<size_t>(i + 1)));
    }
  };
  check(project);
  auto snapshot = project.SaveUndo();
  ASSERT_TRUE(snapshot);
  project.LoadUndo(snapshot.get());
  ASSERT_EQ(project.GetModelCount(), static_cast<size_t>(kModels));
  check(project);
}

// Every shared model: read, written, read again as the same project, and restored from a snapshot.
TEST(MpdFileRealModels, RoundTripAndSnapshot) {
  REQUIRE_LDRAW_MODELS(models);
  const std::string lib = TestLibraryDir();
  CLibraryScope library{lib, 0};
  size_t seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(models)) {
    const std::string path = entry.path().string();
    if (!path.ends_with(".mpd") && !path.ends_with(".ldr")) continue;
    SCOPED_TRACE(path);
    ++seen;
    CMpdFile project;
    CFileTextHandler in;
    ASSERT_EQ(in.Open(path, "r"), 1);
    ASSERT_EQ(project.LoadFromText(in, path), 1);
    EXPECT_EQ(project.GetLineErrorCount(), 0u);
    for (size_t m = 0; m < project.GetModelCount(); ++m)
      for (CQvElement* ref : References(*project.GetModel(m))) {
        if (lib.empty() && !ref->GetFile()) continue;
        EXPECT_FALSE(ref->IsFileMissing() && !lib.empty()) << ref->GetFileName();
        EXPECT_NE(ref->GetFile(), nullptr) << ref->GetFileName();
      }
    const std::string first = WriteProject(project);
    CMpdFile again;
    ASSERT_EQ(LoadProjectText(again, first, path), 1);
    EXPECT_EQ(again.GetLineErrorCount(), 0u);
    EXPECT_EQ(again.GetModelCount(), project.GetModelCount());
    EXPECT_EQ(again.GetModelNames(), project.GetModelNames());
    EXPECT_EQ(WriteProject(again), first);
    auto snapshot = again.SaveUndo();
    ASSERT_TRUE(snapshot);
    again.LoadUndo(snapshot.get());
    EXPECT_EQ(WriteProject(again), first);
    if (path.find("1621-1") != std::string::npos) {
      EXPECT_EQ(project.GetModelCount(), 13u);
    }
  }
  EXPECT_GE(seen, 7u);
}

}  // namespace

namespace {

// Steps of all models: a model with steps counts one more page when APVT is on; even rounds the
// running count up after each model.
TEST_F(MpdFileTest, CountAllStepsAddsThePreviewPageAndRoundsToEven) {
  CMpdFile project;
  const std::string line = "2 4 0 0 0 1 1 1\n";
  ASSERT_EQ(LoadProjectText(project, "0 FILE a.ldr\n" + line + "0 STEP\n" + line +
                                         "0 FILE b.ldr\n0 nothing\n" + "0 FILE c.ldr\n" + line + "0\n"),
            1);
  ASSERT_EQ(project.GetModelCount(), 3u);
  EXPECT_EQ(project.GetModel(0)->CountSteps(), 2);
  EXPECT_EQ(project.GetModel(1)->CountSteps(), 0);
  EXPECT_EQ(project.GetModel(2)->CountSteps(), 1);
  SettingsSnapshot settings;
  theSettings.APVT = 1;
  EXPECT_EQ(project.CountAllSteps(0), 5);  // (2 + 1) + 0 + (1 + 1)
  EXPECT_EQ(project.CountAllSteps(1), 6);  // 3 -> 4, 4, 6
  theSettings.APVT = 0;
  EXPECT_EQ(project.CountAllSteps(0), 3);
  EXPECT_EQ(project.CountAllSteps(1), 4);  // 2, 2, 3 -> 4
}

}  // namespace
