// Sub-files nested thousands deep (a broken or hostile file) once ran the program out of stack.
// The reader stops at a fixed depth and says which file it refused; drawing, extents and export
// follow a chain of models no deeper than that.
#include <gtest/gtest.h>

#include <string>

#include "LibraryScope.h"
#include "RecordingRenderer.h"
#include "model/MpdFile.h"
#include "model/NestingDepth.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "support/LogCapture.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

// Each level holds one line and places the next level one unit further up.
std::string Level(const std::string& next) {
  return "2 24 0 0 0 1 0 0\n1 16 0 -1 0 1 0 0 0 1 0 0 0 1 " + next + "\n";
}

class NestingDepthTest : public CLogCaptureTest {
 protected:
  CLibraryScope library{"", 0};
  CScriptedPrompt prompt;
};

TEST_F(NestingDepthTest, AChainOfThousandsOfFilesIsReadToTheLimitAndTheRefusedFileNamed) {
  CScratchDir dir;
  constexpr int kFiles = 10000;
  for (int i = 0; i < kFiles; ++i)
    ASSERT_TRUE(WriteFileBytes(dir / ("c" + std::to_string(i) + ".ldr"), Level("c" + std::to_string(i + 1) + ".ldr")));
  ASSERT_TRUE(WriteFileBytes(dir / ("c" + std::to_string(kFiles) + ".ldr"), "2 24 0 0 0 1 0 0\n"));
  CQvFile top;
  CFileTextHandler in;
  ASSERT_TRUE(in.Open(dir / "c0.ldr", "r"));
  ASSERT_EQ(top.ReadFrom(in, dir / "c0.ldr", 0), 1);
  top.ResolveGroups();

  // c1 to c64 are loaded; c64's line to c65 stays, with its name and without a file.
  int levels = 0;
  const CQvElement* last = nullptr;
  for (const CQvFile* file = &top; file;) {
    last = dynamic_cast<const CQvElement*>(file->GetAt(1));
    ASSERT_NE(last, nullptr);
    file = last->GetFile();
    if (file) ++levels;
  }
  EXPECT_EQ(levels, kMaxNestingDepth);
  EXPECT_EQ(last->GetFileName(), "c" + std::to_string(kMaxNestingDepth + 1) + ".ldr");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("c65.ldr lies more than 64 sub-files deep and is not loaded"),
            std::string::npos)
      << prompt.shown[0].text;
  EXPECT_NE(Log().find("c65.ldr lies more than 64 sub-files deep - Load aborted!"), std::string::npos) << Log();
  // Drawing and measuring the loaded chain work.
  top.UpdateExtent();
  EXPECT_EQ(top.GetSize().y, kMaxNestingDepth);
}

// A project whose models place each other a hundred deep: drawn, measured and exported to the
// same depth as the reader reads, and no deeper.
TEST_F(NestingDepthTest, DrawingExtentsAndExportStopAtTheLimit) {
  constexpr int kModels = 100;
  std::string text;
  for (int i = 0; i < kModels; ++i)
    text += "0 FILE s" + std::to_string(i) + ".ldr\n" + Level("s" + std::to_string(i + 1) + ".ldr") + "0\n";
  text += "0 FILE s" + std::to_string(kModels) + ".ldr\n2 24 0 0 0 1 0 0\n0\n0\n";
  CScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "deep.mpd", text));
  CFileTextHandler in;
  ASSERT_TRUE(in.Open(dir / "deep.mpd", "r"));
  CMpdFile project;
  ASSERT_EQ(project.LoadFromText(in, "deep.mpd"), 1);
  ASSERT_EQ(project.GetModelCount(), static_cast<size_t>(kModels + 1));
  EXPECT_EQ(project.HasRecursion(), 0);
  CQvFile& model = *project.GetModel(0);

  CRecordingRenderer r;
  r.Reset(8, 8, 0);
  r.BeginFrame(8, 8);
  model.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 16, -1, 0, 0, 1);
  size_t lines = 0;
  for (const auto& call : r.calls) lines += call.kind == "line" ? 1 : 0;
  EXPECT_EQ(lines, static_cast<size_t>(kMaxNestingDepth + 1)) << "the model's own line and 64 levels";

  model.UpdateExtent();
  EXPECT_EQ(model.GetSize().y, kMaxNestingDepth);

  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  ctx.format = ExportFormat::Normal;
  ASSERT_EQ(model.ExportSteps(ctx, CVector3(), CMatrix3::Identity(), 16, -1, 0), 1);
  size_t exported = 0;
  for (const std::string& line : out.GetLines()) exported += line.starts_with("2 ") ? 1 : 0;
  EXPECT_EQ(exported, static_cast<size_t>(kMaxNestingDepth + 1));
}

}  // namespace
