// The Insert menu's element commands (each one's model text, Undo back to the exact text), the
// generated-model output kinds, and the generator's new project that is untitled.
#include <gtest/gtest.h>

#include <deque>

#include "DocModel.h"
#include "FileCommandsFixture.h"
#include "model/ElementEditor.h"
#include "model/GeneratorFile.h"
#include "model/QvCommentPart.h"

namespace {

std::string DocText(CQuorvelDoc& doc) {
  CArrayTextHandler out;
  doc.GetProject().WriteTo(out, "test.mpd");
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

// Every dialog answers OK with fixed values.
class CAcceptingEditor : public IElementEditor {
 public:
  CAcceptingEditor() { SetElementEditor(this); }
  ~CAcceptingEditor() override { SetElementEditor(nullptr); }
  bool EditComment(CommentEdit& data) override {
    presetComment = data.text;
    data.text = "hello";
    return true;
  }
  bool EditBfc(BfcEdit& data) override {
    data.certification = 2;
    data.winding = 1;
    return true;
  }
  bool EditBackground(std::string& name) override {
    name = "back.bmp";
    return true;
  }
  bool EditBufExchg(BufExchgEdit& data) override {
    data.buffer = 2;
    data.mode = 1;
    return true;
  }
  bool EditGroup(GroupEdit&) override { return false; }
  bool EditPrimitive(PrimitiveEdit& data) override {
    captions.push_back(data.caption);
    for (int i = 0; i < 4; ++i) {
      data.x[i] = static_cast<float>(i + 1);
      data.y[i] = 0;
      data.z[i] = static_cast<float>(10 * i);
    }
    return true;
  }
  bool EditRotStep(RotStepEdit& data) override {
    presetMode = data.mode;
    data.angleX = 30;
    data.angleY = 45;
    data.angleZ = 0;
    return true;
  }
  std::string presetComment;
  int presetMode = -1;
  std::vector<std::string> captions;
};

class InsertCommandsTest : public DocumentTest {};

const char kBase[] = "0 base\n2 24 0 0 0 10 0 0\n";

TEST_F(InsertCommandsTest, EachCommandAddsItsLineAndUndoRestoresTheText) {
  struct Case {
    InsertCommand what;
    const char* line;  // the line the command appends, as written
  };
  const Case cases[] = {
      {InsertCommand::Step, "0 STEP\n"},
      {InsertCommand::Comment, "0 WRITE hello\n"},  // the dialog starts with "old style" off
      {InsertCommand::RotStep, "0 ROTSTEP 30 45 0 ABS\n"},
      {InsertCommand::RotStepEnd, "0 ROTSTEP END\n"},
      {InsertCommand::Background, "0 BACKGROUND \"back.bmp\"\n"},
      {InsertCommand::Clear, "0 CLEAR\n"},
      {InsertCommand::BufExchg, "0 BUFEXCHG C RETRIEVE\n"},
      {InsertCommand::Bfc, "0 BFC CERTIFY CCW\n"},
      {InsertCommand::Line, "2 C 1 0 0 2 0 10\n"},
      {InsertCommand::Triangle, "3 C 1 0 0 2 0 10 3 0 20\n"},
      {InsertCommand::Quad, "4 C 1 0 0 2 0 10 3 0 20 4 0 30\n"},
      {InsertCommand::CondLine, "5 C 1 0 0 2 0 10 3 0 20 4 0 30\n"},
  };
  CAcceptingEditor editor;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    LoadDocument(doc, kBase);
    const std::string before = DocText(doc);
    ASSERT_TRUE(doc.CanInsert(c.what));
    EXPECT_EQ(doc.OnInsert(c.what), 1);
    // The writer closes a single model with a "0" line.
    ASSERT_TRUE(before.ends_with("0\n"));
    // C: the colour the insertion gave the primitive (the model's default there).
    std::string line = c.line;
    if (line[0] != '0' && line[2] == 'C')
      line.replace(2, 1, std::to_string(Model().GetAt(Model().GetCount() - 1)->GetColor()));
    EXPECT_EQ(DocText(doc), before.substr(0, before.size() - 2) + line + "0\n");
    doc.OnEditUndo();
    EXPECT_EQ(DocText(doc), before);
  }
  EXPECT_EQ(editor.presetComment, "Type in the comment");
  EXPECT_EQ(editor.presetMode, 1);  // absolute
  EXPECT_EQ(editor.captions, (std::vector<std::string>{"Line Vertices", "Triangle Vertices", "Quad Vertices",
                                                        "Conditional Line Vertices"}));
}

// Without the dialogs: the comment and the rotation step go in with their presets, the commands
// whose elements mean nothing without their dialog's values are disabled.
TEST_F(InsertCommandsTest, WithoutAnEditorPresetsOrDisabled) {
  LoadDocument(doc, kBase);
  for (InsertCommand what : {InsertCommand::Step, InsertCommand::RotStepEnd, InsertCommand::Clear,
                             InsertCommand::Comment, InsertCommand::RotStep})
    EXPECT_TRUE(doc.CanInsert(what));
  for (InsertCommand what : {InsertCommand::Background, InsertCommand::BufExchg, InsertCommand::Bfc,
                             InsertCommand::Line, InsertCommand::Triangle, InsertCommand::Quad,
                             InsertCommand::CondLine})
    EXPECT_FALSE(doc.CanInsert(what));
  const std::string before = DocText(doc);
  const std::string head = before.substr(0, before.size() - 2);
  EXPECT_EQ(doc.OnInsert(InsertCommand::Bfc), 0);
  EXPECT_EQ(DocText(doc), before);
  EXPECT_EQ(doc.GetUndoCount(), 1);
  EXPECT_EQ(doc.OnInsert(InsertCommand::Comment), 1);
  EXPECT_EQ(DocText(doc), head + "0 WRITE Type in the comment\n0\n");
  EXPECT_EQ(doc.OnInsert(InsertCommand::RotStep), 1);
  EXPECT_EQ(DocText(doc), head + "0 WRITE Type in the comment\n0 ROTSTEP 0 0 0 ABS\n0\n");
  // In view mode nothing is inserted.
  doc.OnViewMode();
  EXPECT_FALSE(doc.CanInsert(InsertCommand::Step));
}

// Two lines as a generator would build them.
void FillGenerated(CGeneratorFile& file) {
  file.AddLine(4, {0, 0, 0}, {1, 0, 0});
  file.AddLine(4, {0, 0, 0}, {0, 1, 0});
}

TEST_F(InsertCommandsTest, GeneratedModelAppendedOrAsNewModel) {
  LoadDocument(doc, kBase);
  const std::string before = DocText(doc);
  CGeneratorFile generated;
  FillGenerated(generated);
  EXPECT_EQ(doc.InsertGeneratedModel(0, generated, "New Spring"), 1);
  EXPECT_EQ(Model().GetCount(), 4u);
  EXPECT_EQ(generated.GetCount(), 0u);
  EXPECT_EQ(doc.GetProject().GetModelCount(), 1u);
  doc.OnEditUndo();
  EXPECT_EQ(DocText(doc), before);

  // Kind 1: the model dialog, preset with the name; Cancel adds nothing.
  FillGenerated(generated);
  EXPECT_EQ(doc.InsertGeneratedModel(1, generated, "New Spring"), 0);
  EXPECT_EQ(DocText(doc), before);
  host.newModels.push_back({"coil", "A coil"});
  EXPECT_EQ(doc.InsertGeneratedModel(1, generated, "New Spring"), 1);
  ASSERT_EQ(doc.GetProject().GetModelCount(), 2u);
  EXPECT_EQ(Model().GetName(), "coil.ldr");
  EXPECT_EQ(Model().CountElements(3), 2);
}

TEST_F(InsertCommandsTest, KindsOutsideTheModelKindsAddNothing) {
  LoadDocument(doc, kBase);
  const std::string before = DocText(doc);
  CGeneratorFile generated;
  FillGenerated(generated);
  for (int kind : {-1, 3, 7}) EXPECT_EQ(doc.InsertGeneratedModel(kind, generated, "x"), 0);
  EXPECT_EQ(DocText(doc), before);
  EXPECT_EQ(generated.GetCount(), 2u);
}

TEST_F(InsertCommandsTest, GeneratedModelThatPlacesItsTargetIsRefusedWithoutSnapshot) {
  // main places sub; sub is active, and the generated model places main.
  LoadDocument(doc,
               "0 FILE main.ldr\n0 main\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"
               "0 FILE sub.ldr\n0 sub\n2 24 0 0 0 1 0 0\n",
               1);
  const std::string before = DocText(doc);
  const int undo = doc.GetUndoCount();
  CGeneratorFile generated;
  generated.AddLineFromText("1 16 0 0 0 1 0 0 0 1 0 0 0 1 main.ldr");
  EXPECT_EQ(doc.InsertGeneratedModel(0, generated, "x"), 0);
  EXPECT_EQ(DocText(doc), before);
  EXPECT_EQ(doc.GetUndoCount(), undo);
  EXPECT_FALSE(doc.IsModified());
}

class GeneratorProjectTest : public FileCommandsFixture {};

TEST_F(GeneratorProjectTest, NewProjectIsUntitledAndUndoBringsTheOldOneBack) {
  const std::string oldFile = "0 FILE old.ldr\n0 old\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 part.ldr\n"
                              "0 FILE part.ldr\n0 part\n2 24 0 0 0 1 0 0\n";
  const std::string path = Write("old.mpd", oldFile);
  ASSERT_EQ(Open(path), 1);
  const std::string oldText = ProjectText();
  const std::string oldTitle = doc.GetTitle();
  CGeneratorFile generated;
  generated.AddLine(4, {0, 0, 0}, {1, 0, 0});
  EXPECT_EQ(doc.InsertGeneratedModel(2, generated, "New arrow"), 1);
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(doc.GetTitle(), "Untitled");
  EXPECT_EQ(doc.GetProject().GetModelCount(), 1u);
  EXPECT_EQ(doc.GetActiveModel()->CountElements(3), 1);
  EXPECT_TRUE(doc.IsModified());
  // Ctrl+S asks for a name; cancelled, the old file is untouched.
  Forget();
  EXPECT_EQ(doc.OnFileSave(), 0);
  EXPECT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(ReadFileBytes(path), oldFile);
  // Undo: the empty new project, then the old project with its path and title.
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetPathName(), "");
  doc.OnEditUndo();
  EXPECT_EQ(ProjectText(), oldText);
  EXPECT_EQ(doc.GetPathName(), path);
  EXPECT_EQ(doc.GetTitle(), oldTitle);
  // Saved straight to its file again, as a multipart file, without a dialog.
  Forget();
  EXPECT_EQ(doc.OnFileSave(), 1);
  EXPECT_TRUE(host.fileRequests.empty());
  EXPECT_NE(ReadFileBytes(path).find("0 FILE part.ldr"), std::string::npos);
}

TEST_F(GeneratorProjectTest, CancelledSaveQuestionChangesNothing) {
  const std::string path = Write("kept.ldr", "0 kept\n");
  ASSERT_EQ(Open(path), 1);
  Change("unsaved");
  const std::string text = ProjectText();
  prompt.Answer(PromptAnswer::Cancel);
  EXPECT_EQ(doc.NewProjectForGenerator(), 0);
  EXPECT_EQ(ProjectText(), text);
  EXPECT_EQ(doc.GetPathName(), path);
}

TEST_F(GeneratorProjectTest, EndGeneratorProjectAcceptedOrCancelled) {
  ASSERT_EQ(doc.NewProjectForGenerator(), 1);
  EXPECT_FALSE(doc.IsModified());
  const std::string empty = ProjectText();
  doc.GetActiveModel()->Append(std::make_unique<CQvCommentPart>("built"));
  doc.EndGeneratorProject(false);
  EXPECT_EQ(ProjectText(), empty);
  EXPECT_FALSE(doc.IsModified());
  doc.GetActiveModel()->Append(std::make_unique<CQvCommentPart>("built"));
  doc.EndGeneratorProject(true);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_NE(ProjectText(), empty);
  EXPECT_EQ(doc.GetMultipartState(), 0);
  EXPECT_EQ(doc.GetShownStep(), -1);
}

}  // namespace

namespace {

class DropOutlineTest : public DocumentTest {};

// main places a part turned a quarter about y; leaf is a line from (0,0,0) to (10,0,-4).
TEST_F(DropOutlineTest, OutlineUnderTheViewWithTheMatrixOfThePreviousPart) {
  LoadDocument(doc,
               "0 FILE main.ldr\n0 main\n1 4 0 -24 0 0 0 1 0 1 0 -1 0 0 spare.ldr\n"
               "0 FILE leaf.ldr\n0 leaf\n2 24 0 0 0 10 0 -4\n"
               "0 FILE spare.ldr\n0 spare\n2 24 0 0 0 0 10 0\n");
  const PartHandle leaf = thePartList.FindByName("leaf.ldr", kDocumentModels);
  ASSERT_NE(leaf, 0u);
  const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  DropOutline outline;
  CMatrix3 matrix;
  ASSERT_EQ(doc.MeasureDropPart(leaf, identity, outline, matrix), 1);
  EXPECT_FALSE(matrix.Differs(CMatrix3(0, 0, 1, 0, 1, 0, -1, 0, 0)));
  // Turned: (10,0,-4) becomes (-4, 0, -10); x spans -4..0, y stays 0.
  EXPECT_DOUBLE_EQ(outline.left, -4);
  EXPECT_DOUBLE_EQ(outline.right, 0);
  EXPECT_DOUBLE_EQ(outline.top, 0);
  EXPECT_DOUBLE_EQ(outline.bottom, 0);
  // Seen from a view that swaps x and y.
  const double swapped[9] = {0, 1, 0, 1, 0, 0, 0, 0, 1};
  ASSERT_EQ(doc.MeasureDropPart(leaf, swapped, outline, matrix), 1);
  EXPECT_DOUBLE_EQ(outline.left, 0);
  EXPECT_DOUBLE_EQ(outline.top, -4);
  EXPECT_DOUBLE_EQ(outline.bottom, 0);
  // Nothing for an unknown handle; the model is unchanged either way.
  EXPECT_EQ(doc.MeasureDropPart(0, identity, outline, matrix), 0);
  EXPECT_EQ(doc.MeasureDropPart(0xFFFFFFF, identity, outline, matrix), 0);
  EXPECT_EQ(Model().GetCount(), 2u);
  EXPECT_EQ(doc.GetUndoCount(), 1);
}

}  // namespace
