// Edit > Add: each line with data goes through its dialog first, Cancel adds nothing, and the
// commands whose dialog is missing stay disabled.
#include <gtest/gtest.h>

#include "app/InsertCommands.h"
#include "app/CommandMap.h"
#include "document/QuorvelDoc.h"
#include "model/ElementEditor.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

namespace {

class CAnsweringEditor : public IElementEditor {
 public:
  bool Offers(ElementType type) const override { return type != ElementType::Background; }
  bool EditComment(CommentEdit& d) override {
    seenComment = d;
    d.text = "hello";
    return ok;
  }
  bool EditBfc(BfcEdit&) override { return ok; }
  bool EditBackground(std::string&) override { return ok; }
  bool EditBufExchg(BufExchgEdit& d) override {
    d.buffer = 2;
    return ok;
  }
  bool EditGroup(GroupEdit&) override { return ok; }
  bool EditPrimitive(PrimitiveEdit& d) override {
    seenPrimitive = d;
    d.x[1] = 20;
    return ok;
  }
  bool EditRotStep(RotStepEdit& d) override {
    seenRotStep = d;
    d.angleY = 45;
    return ok;
  }
  bool ChoosePart(uint32_t&) override {
    ++partChoices;
    return false;
  }
  bool ok = true;
  int partChoices = 0;
  CommentEdit seenComment;
  PrimitiveEdit seenPrimitive;
  RotStepEdit seenRotStep;
};

std::string LastLine(CQuorvelDoc& doc) {
  CQvFile* model = doc.GetActiveModel();
  CArrayTextHandler out;
  model->GetAt(model->GetCount() - 1)->Write(out);
  std::string s;
  for (const std::string& line : out.GetLines()) s += line;
  return s;
}

TEST(AddElementCommands, DialogsFillTheNewLinesAndCancelAddsNothing) {
  CAnsweringEditor editor;
  SetElementEditor(&editor);
  CQuorvelDoc doc;
  doc.OnNewDocument();
  doc.SetEditMode(0);
  CCommandMap commands;
  BindInsertCommands(commands, doc);

  commands.RunCommand(32785);  // Comment...
  EXPECT_EQ(editor.seenComment.text, "Type in the comment");
  EXPECT_FALSE(editor.seenComment.oldStyle);
  EXPECT_EQ(LastLine(doc), "0 WRITE hello\n");

  commands.RunCommand(32786);  // Rotation Step...: starts absolute
  EXPECT_EQ(editor.seenRotStep.mode, 1);
  EXPECT_EQ(LastLine(doc), "0 ROTSTEP 0 45 0 ABS\n");

  commands.RunCommand(32929);  // Line...
  EXPECT_EQ(editor.seenPrimitive.vertexCount, 2);
  EXPECT_EQ(editor.seenPrimitive.caption, "Line Vertices");
  const std::string line = LastLine(doc);
  ASSERT_GE(line.size(), 16u);
  EXPECT_EQ(line.substr(0, 2), "2 ");
  EXPECT_EQ(line.substr(line.size() - 14), " 0 0 0 20 0 0\n");  // the colour, then both vertices

  commands.RunCommand(32943);  // Buffer Exchange...
  EXPECT_EQ(LastLine(doc), "0 BUFEXCHG C STORE\n");

  commands.RunCommand(32787);  // Rotation End Step: no dialog
  EXPECT_EQ(LastLine(doc), "0 ROTSTEP END\n");

  const size_t count = doc.GetActiveModel()->GetCount();
  EXPECT_TRUE(commands.QueryCommand(32783).enabled);
  commands.RunCommand(32783);  // Part...: the chooser is asked; cancelled, nothing is added
  EXPECT_EQ(editor.partChoices, 1);
  EXPECT_EQ(doc.GetActiveModel()->GetCount(), count);

  editor.ok = false;
  commands.RunCommand(32930);  // Triangle..., cancelled
  EXPECT_EQ(doc.GetActiveModel()->GetCount(), count);

  EXPECT_TRUE(commands.QueryCommand(32785).enabled);
  EXPECT_FALSE(commands.QueryCommand(32927).enabled);  // no background dialog offered
  EXPECT_TRUE(commands.QueryCommand(32939).enabled);   // Clear needs none
  SetElementEditor(nullptr);
}

}  // namespace
