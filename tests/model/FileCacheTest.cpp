// The part-file cache and the library loader: resolution along the scan order and beside the
// model, shared files and their uses, flushing, self-inclusion, the ordered shutdown.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "LibraryScope.h"
#include "ModelText.h"
#include "model/CopyBuffer.h"
#include "model/ElementEditor.h"
#include "model/FileCache.h"
#include "model/LibraryLoader.h"
#include "model/ModelShutdown.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "render/Dib.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

// Library folders in lower case as on disk, names in mixed case, '\' in references.
struct MiniLibrary {
  MiniLibrary() {
    fs::create_directories(dir / "parts/s");
    fs::create_directories(dir / "p/48");
    WriteFileBytes(dir / "p/48/Ring.dat", "0 ring\r\n2 24 0 0 0 1 0 0\r\n");
    WriteFileBytes(dir / "p/box.dat", "0 box\n4 16 0 0 0 1 0 0 1 1 0 0 1 0\n3 16 0 0 0 1 0 0 0 0 1\n");
    WriteFileBytes(dir / "parts/s/Sub.DAT", "0 sub\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 48\\RING.DAT\n");
    WriteFileBytes(
        dir / "parts/Brick.dat",
        "0 brick\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 S\\sub.dat\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 BOX.dat\n");
    WriteFileBytes(dir / "parts/self.dat", "0 self\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 SELF.DAT\n");
    WriteFileBytes(dir / "parts/ping.dat", "0 ping\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 pong.dat\n");
    WriteFileBytes(dir / "parts/pong.dat", "0 pong\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 ping.dat\n");
  }
  CScratchDir dir;
};

const std::string kBrick = "1 4 0 0 0 1 0 0 0 1 0 0 0 1 brick.dat\n";

CQvFile* FileOf(const CQvFile& model, size_t i) {
  return static_cast<CQvElement*>(model.GetAt(i))->GetFile();
}

TEST(FileCache, ResolvesCaseInsensitivelyWithBackslashesAndFoldsLibraryParts) {
  MiniLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  auto model = LoadText(kBrick + "1 4 0 0 0 1 0 0 0 1 0 0 0 1 BRICK.DAT\n");
  EXPECT_TRUE(prompt.shown.empty());
  CQvFile* brick = FileOf(*model, 0);
  ASSERT_NE(brick, nullptr);
  EXPECT_EQ(brick, FileOf(*model, 1));  // one file for both spellings
  EXPECT_EQ(theFileCache.GetUses(static_cast<size_t>(theFileCache.Find(brick->partKey))), 2u);
  EXPECT_TRUE(brick->libraryFile);
  EXPECT_FALSE(brick->missing);
  EXPECT_EQ(theFileCache.GetCount(), 4u);  // ring, sub, box, brick
  // The box primitive's quad and triangle became one mesh; references stay.
  CQvFile* box = static_cast<CQvElement*>(brick->GetAt(2))->GetFile();
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(box->GetCount(), 2u);  // its title comment and the mesh
  EXPECT_EQ(box->GetAt(1)->GetType(), ElementType::Mesh);
  EXPECT_EQ(brick->GetAt(1)->GetType(), ElementType::Reference);
  // Loading order: what a file uses is cached before the file.
  EXPECT_EQ(theFileCache.GetAt(theFileCache.GetCount() - 1), brick);
}

TEST(FileCache, SubFilesBesideTheModelAreFoundFromItsFolderNotTheCurrentOne) {
  MiniLibrary lib;
  CScratchDir modelDir, elsewhere;
  WriteFileBytes(modelDir / "Local.ldr", "0 local\n2 4 0 0 0 1 1 1\n");
  WriteFileBytes(elsewhere / "cwdonly.ldr", "0 only in the current folder\n");
  WriteFileBytes(modelDir / "model.ldr",
                 "1 4 0 0 0 1 0 0 0 1 0 0 0 1 local.ldr\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 cwdonly.ldr\n");
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::Yes);
  CLibraryScope library(lib.dir.Path());
  fs::path previous = fs::current_path();
  fs::current_path(elsewhere.Path());
  CQvFile model;
  CFileTextHandler in;
  ASSERT_TRUE(in.Open(modelDir / "model.ldr", "r"));
  EXPECT_EQ(model.ReadFrom(in, modelDir / "model.ldr", 1), 1);
  fs::current_path(previous);
  CQvFile* local = FileOf(model, 0);
  ASSERT_NE(local, nullptr);
  EXPECT_FALSE(local->missing);
  EXPECT_FALSE(local->libraryFile);  // found beside the model: no mesh
  EXPECT_EQ(local->GetAt(1)->GetType(), ElementType::Line);
  ASSERT_NE(FileOf(model, 1), nullptr);
  EXPECT_TRUE(FileOf(model, 1)->missing);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("cwdonly.ldr"), std::string::npos);
}

TEST(FileCache, StudFilesTakeTheirHelpersQuietly) {
  MiniLibrary lib;
  WriteFileBytes(lib.dir / "p/stud.dat", "0 stud\n2 24 0 0 0 1 0 0\n");
  WriteFileBytes(lib.dir / "p/stu2.dat", "0 stud variant\n2 24 0 0 0 1 0 0\n");
  WriteFileBytes(lib.dir / "p/stud4.dat", "0 stud 4\n2 24 0 0 0 1 0 0\n");
  WriteFileBytes(lib.dir / "p/studa.dat", "0 no stud\n2 24 0 0 0 1 0 0\n");
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path(), 1);  // no studline.dat and no stu24.dat: nothing is asked
  auto model = LoadText(
      "1 4 0 0 0 1 0 0 0 1 0 0 0 1 STUD.DAT\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 stud4.dat\n"
      "1 4 0 0 0 1 0 0 0 1 0 0 0 1 studa.dat\n");
  EXPECT_TRUE(prompt.shown.empty());
  CQvFile* stud = FileOf(*model, 0);
  ASSERT_NE(stud, nullptr);
  EXPECT_TRUE(stud->studFile);
  EXPECT_EQ(stud->studLineFile, nullptr);
  ASSERT_NE(stud->studVariantFile, nullptr);
  EXPECT_EQ(stud->studVariantFile->GetName(), "STU2.DAT");
  EXPECT_TRUE(FileOf(*model, 1)->studFile);
  EXPECT_EQ(FileOf(*model, 1)->studVariantFile, nullptr);
  EXPECT_FALSE(FileOf(*model, 2)->studFile);
  const PartHandle variantKey = stud->studVariantFile->partKey;
  EXPECT_EQ(theFileCache.GetUses(static_cast<size_t>(theFileCache.Find(variantKey))), 1u);
  model.reset();
  theFileCache.Flush(1);  // the stud goes, then the variant it held
  EXPECT_EQ(theFileCache.Find(variantKey), -1);
}

TEST(FileCache, OnlyRegularFilesAreRead) {
  CScriptedPrompt prompt;
  CLibraryScope library("", 0);
  auto model = LoadText("1 4 0 0 0 1 0 0 0 1 0 0 0 1 /dev/zero\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 /tmp\n");
  ASSERT_EQ(model->GetCount(), 2u);
  EXPECT_TRUE(static_cast<CQvElement*>(model->GetAt(0))->IsFileMissing());
  EXPECT_TRUE(static_cast<CQvElement*>(model->GetAt(1))->IsFileMissing());
}

TEST(FileCache, ModelRelativeScanEntries) {
  MiniLibrary lib;
  CScratchDir modelDir;
  fs::create_directories(fs::path(modelDir.Path()) / "Extra");
  WriteFileBytes(modelDir / "Extra/thing.dat", "0 thing\n2 4 0 0 0 1 1 1\n");
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  theScanOrder.Add("extra", CScanOrder::kModelRelative);
  CQvFile model;
  std::string text = "1 4 0 0 0 1 0 0 0 1 0 0 0 1 THING.dat\n";
  ReadText(model, text, 1, modelDir / "m.ldr");
  EXPECT_TRUE(prompt.shown.empty());
  ASSERT_NE(FileOf(model, 0), nullptr);
  EXPECT_TRUE(FileOf(model, 0)->libraryFile);
}

TEST(FileCache, AFileThatIncludesItselfIsRefusedWithoutRecursion) {
  MiniLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path(), 0);
  auto model = LoadText("1 4 0 0 0 1 0 0 0 1 0 0 0 1 self.dat\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 ping.dat\n");
  // self.dat is read; its own reference to itself is refused and stays without a file.
  CQvFile* self = FileOf(*model, 0);
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(static_cast<CQvElement*>(self->GetAt(1))->GetFile(), nullptr);
  EXPECT_EQ(static_cast<CQvElement*>(self->GetAt(1))->GetFileName(), "SELF.DAT");
  CQvFile* ping = FileOf(*model, 1);
  ASSERT_NE(ping, nullptr);
  CQvFile* pong = static_cast<CQvElement*>(ping->GetAt(1))->GetFile();
  ASSERT_NE(pong, nullptr);
  EXPECT_EQ(static_cast<CQvElement*>(pong->GetAt(1))->GetFile(), nullptr);
  int recursionMessages = 0;
  for (const auto& s : prompt.shown) recursionMessages += s.text.find("Recursion") != std::string::npos;
  EXPECT_EQ(recursionMessages, 2);
}

TEST(FileCache, ReleaseNeverGoesBelowZeroAndFlushOneCascades) {
  MiniLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  auto model = LoadText(kBrick);
  CQvFile* brick = FileOf(*model, 0);
  PartHandle key = brick->partKey;
  model.reset();  // the reference lets go
  ASSERT_GE(theFileCache.Find(key), 0);
  EXPECT_EQ(theFileCache.GetUses(static_cast<size_t>(theFileCache.Find(key))), 0u);
  theFileCache.ReleaseFile(key);
  theFileCache.ReleaseFile(key);
  EXPECT_EQ(theFileCache.GetUses(static_cast<size_t>(theFileCache.Find(key))), 0u);
  // The brick goes, then what only it used, pass after pass.
  theFileCache.Flush(1);
  EXPECT_EQ(theFileCache.GetCount(), 0u);
}

TEST(FileCache, FlushKeepsDocumentModelsAndReloadsAfterwards) {
  MiniLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  CQvFile subModel;
  PartHandle modelKey = thePartList.AddDocumentModel(0, "sub model.ldr", "a sub-model");
  if (modelKey == 0) {
    ASSERT_EQ(thePartList.ReserveDocumentModels(1), 1);
    modelKey = thePartList.AddDocumentModel(0, "sub model.ldr", "a sub-model");
  }
  ASSERT_NE(modelKey, 0u);
  ASSERT_EQ(theFileCache.AddModel(modelKey, &subModel), 1);
  auto model = LoadText(kBrick + "1 4 0 0 0 1 0 0 0 1 0 0 0 1 Sub Model.ldr\n");
  EXPECT_EQ(FileOf(*model, 1), &subModel);  // sub-models shadow by name
  model.reset();
  theFileCache.Flush(1);
  EXPECT_EQ(theFileCache.GetCount(), 1u);
  EXPECT_EQ(theFileCache.GetAt(0), &subModel);
  // Mode 0 after the document is closed: files that use each other are deleted, and no release
  // of a deleted file's references reaches a file already freed (the sanitizer build checks).
  theFileCache.DropModelEntries();
  thePartList.ClearDocumentModels();
  auto again = LoadText(kBrick);
  ASSERT_NE(FileOf(*again, 0), nullptr);
  again.reset();
  theFileCache.Flush(0);
  EXPECT_EQ(theFileCache.GetCount(), 0u);
  auto reloaded = LoadText(kBrick);
  ASSERT_NE(FileOf(*reloaded, 0), nullptr);
  EXPECT_EQ(theFileCache.GetCount(), 4u);
}

TEST(FileCache, ShutdownEndsDocumentThenCopyBufferThenCache) {
  MiniLibrary lib;
  EXPECT_EXIT(
      {
        CLibraryScope library(lib.dir.Path());
        auto* document = new std::unique_ptr<CQvFile>(LoadText(kBrick));
        CCopyBuffer::Add((*document)->GetAt(0)->Clone());
        std::vector<int> order;
        ShutdownModelState([&] {
          order.push_back(theFileCache.GetCount() > 0 ? 1 : -1);
          delete document;
        });
        bool ok = order == std::vector<int>{1} && theFileCache.GetCount() == 0 &&
                  CCopyBuffer::GetCount() == 0 && !CFileCache::IsAlive();
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

struct SplitCase {
  const char* path;
  const char* folder;
  const char* title;
  const char* ext;
};

TEST(PathHelpers, SplitPathAndFileNamePart) {
  const SplitCase cases[] = {
      {"C:\\ldraw\\parts\\3001.dat", "C:\\ldraw\\parts\\", "3001", "dat"},
      {"3001.dat", "", "3001", "dat"},
      {"a.b\\c", "a.b\\", "", "b\\c"},
      {"folder\\noext", "folder\\", "", ""},
      {"", "", "", ""},
      {"x.tar.gz", "", "x.tar", "gz"},
      // A slash separates folders as a backslash does, also mixed with one.
      {"pics/bg.bmp", "pics/", "bg", "bmp"},
      {"/home/u/models/car.ldr", "/home/u/models/", "car", "ldr"},
      {"a\\b/c.d", "a\\b/", "c", "d"},
      {"a/b\\c.d", "a/b\\", "c", "d"},
      {"v1.2/readme", "v1.2/", "", "2/readme"},  // the last dot, wherever it is
  };
  for (const SplitCase& c : cases) {
    std::string folder = "junk", title = "junk", ext = "junk";
    SplitPath(c.path, folder, title, ext);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(title, c.title) << c.path;
    EXPECT_EQ(ext, c.ext) << c.path;
  }
  EXPECT_EQ(GetFileNamePart("a\\b\\c.bmp"), "c.bmp");
  EXPECT_EQ(GetFileNamePart("c.bmp"), "c.bmp");
  EXPECT_EQ(GetFileNamePart("pics/bg.bmp"), "bg.bmp");
  EXPECT_EQ(GetFileNamePart("a/b\\c.bmp"), "c.bmp");
  EXPECT_EQ(GetFileNamePart("a\\b/c.bmp"), "c.bmp");
  EXPECT_EQ(GetFileNamePart("dir/"), "");
}

}  // namespace

namespace {

TEST(LoadBackground, LoadedOnceAndAFailedReadForgetsTheName) {
  CScratchDir dir;
  CDib source;
  ASSERT_EQ(source.Create(4, 2, true), 1);
  ASSERT_EQ(source.SaveBmp(dir / "Sky.bmp"), 1);
  WriteFileBytes(dir / "broken.bmp", "not a picture");
  CQvFile file;
  CDib picture;
  // The path does not exist; the name alone is found beside the model, in any letter case.
  EXPECT_EQ(LoadBackground(file, picture, "pictures\\sky.BMP", dir.Path()), 1);
  EXPECT_EQ(file.backgroundName, "sky.BMP");
  EXPECT_EQ(picture.GetWidth(), 4);
  // Already loaded: not read again, even when the file is gone meanwhile.
  fs::remove(dir / "Sky.bmp");
  EXPECT_EQ(LoadBackground(file, picture, "other\\sky.BMP", dir.Path()), 1);
  EXPECT_EQ(LoadBackground(file, picture, "broken.bmp", dir.Path()), 0);
  EXPECT_TRUE(file.backgroundName.empty());
  EXPECT_FALSE(picture.HasBlock());
}

class CChoosingEditor : public IElementEditor {
 public:
  CChoosingEditor() { SetElementEditor(this); }
  ~CChoosingEditor() override { SetElementEditor(nullptr); }
  bool EditComment(CommentEdit&) override { return false; }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit&) override { return false; }
  bool ChoosePart(uint32_t& handle) override {
    offered = handle;
    handle = chosen;
    return ok;
  }
  uint32_t offered = 0, chosen = 0;
  bool ok = true;
};

TEST(QvElementEdit, TheChosenPartReplacesTheFile) {
  MiniLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  auto model = LoadText(kBrick + "1 4 0 0 0 1 0 0 0 1 0 0 0 1 box.dat\n");
  auto& e = static_cast<CQvElement&>(*model->GetAt(0));
  CChoosingEditor editor;
  editor.chosen = FileOf(*model, 1)->partKey;
  editor.ok = false;
  EXPECT_EQ(e.Edit(*model), 0);
  EXPECT_EQ(editor.offered, FileOf(*model, 0)->partKey);
  editor.ok = true;
  EXPECT_EQ(e.Edit(*model), 2);
  EXPECT_EQ(e.GetFile(), FileOf(*model, 1));
  EXPECT_EQ(e.GetFileName(), thePartList.GetFileName(editor.chosen));
}

TEST(QvElementExport, SubModelsAreFlattenedInNormalFormat) {
  MiniLibrary lib;
  CScriptedPrompt prompt;
  CLibraryScope library(lib.dir.Path());
  auto subModel = LoadText("2 4 1 2 3 4 5 6\n");
  ASSERT_EQ(thePartList.ReserveDocumentModels(1), 1);
  PartHandle key = thePartList.AddDocumentModel(0, "wing.ldr", "wing");
  ASSERT_EQ(theFileCache.AddModel(key, subModel.get()), 1);
  {
    auto model = LoadText("1 16 10 0 0 1 0 0 0 1 0 0 0 1 wing.ldr\n");
    CArrayTextHandler out;
    ExportContext ctx;
    ctx.output = &out;
    ctx.format = ExportFormat::Normal;
    EXPECT_EQ(model->GetAt(0)->Export(ctx, CVector3(), CMatrix3::Identity(), 16), 1);
    EXPECT_EQ(Joined(out), "2 4 11 2 3 14 5 6\n");
  }
  theFileCache.DropModelEntries();
  thePartList.ClearDocumentModels();
}

}  // namespace
