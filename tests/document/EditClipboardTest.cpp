// The clipboard commands with the desktop clipboard, pastes from another program that would make
// a model place itself, and the operations behind mouse drops and line-list moves.
#include "EditCommandsFixture.h"

namespace {
using namespace edit_test;

class EditClipboardTest : public EditCommandsTest {};

TEST_F(EditClipboardTest, CopyPutsLDrawLinesOnTheClipboard) {
  Load({1, 3});
  EXPECT_EQ(doc.OnEditCopy(), 1);
  EXPECT_EQ(clipboard.text, std::string(kMain[1]) + kMain[3]);
  EXPECT_TRUE(doc.CanPasteAny());
}

TEST_F(EditClipboardTest, PasteTakesLinesAnotherProgramPutThere) {
  Load({1});
  doc.OnEditCopy();
  // Another program copies two lines.
  clipboard.text = "2 4 1 2 3 4 5 6\r\n1 14 0 -8 0 1 0 0 0 1 0 0 0 1 sub.ldr\n";
  Model().SelectOnly(3);
  EXPECT_EQ(doc.OnEditPasteAny(), 1);
  EXPECT_EQ(ModelText(Model()),
            MainWith({{3, "2 4 1 2 3 4 5 6\n1 14 0 -8 0 1 0 0 0 1 0 0 0 1 sub.ldr\n", true}}));
  // The pasted reference places main's own sub-model.
  const auto* placed = static_cast<const CQvElement*>(Model().GetAt(5));
  ASSERT_NE(placed->GetFile(), nullptr);
  EXPECT_EQ(placed->GetFile(), doc.GetProject().GetModel(1));
  // Text that is no model lines is left alone: Paste uses the copy buffer.
  clipboard.text = "Dear diary,\n";
  EXPECT_EQ(doc.OnEditPasteAny(), 1);
  EXPECT_EQ(ModelText(Model()).find("Dear"), std::string::npos);
  EXPECT_EQ(Model().GetSelectedCount(), 2u);
}

TEST_F(EditClipboardTest, PasteAfterUndoTakesTheClipboardAgain) {
  Load({3});
  doc.OnEditCopy();
  doc.OnEditErase();
  doc.OnEditUndo();  // empties the copy buffer
  EXPECT_FALSE(doc.CanPaste());
  EXPECT_TRUE(doc.CanPasteAny());
  Model().SelectOnly(4);
  EXPECT_EQ(doc.OnEditPasteAny(), 1);
  EXPECT_EQ(ModelText(Model()), MainWith({{4, kMain[3], true}}));
}

// A model may not place itself: lines from the clipboard that would make sub place main (which
// places sub) are refused before any snapshot, and Undo keeps every reference.
TEST_F(EditClipboardTest, ClipboardPasteThatClosesACycleIsRefusedBeforeAnySnapshot) {
  LoadDocument(doc, kProject, 1);
  ASSERT_EQ(doc.GetProject().GetCurrentIndex(), 1);
  Model().SelectOnly(1);
  ClearRecords();
  const std::string before = ProjectText(doc);
  clipboard.text = "1 4 0 0 0 1 0 0 0 1 0 0 0 1 main.ldr\n";
  EXPECT_EQ(doc.OnEditPasteAny(), 0);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, kPasteRecursion);
  EXPECT_EQ(ProjectText(doc), before);
  EXPECT_EQ(doc.GetUndoCount(), 1);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(observer.hints.empty());
  // Something harmless, then Undo: every reference survives.
  doc.OnEditErase();
  doc.OnEditUndo();
  EXPECT_EQ(ProjectText(doc), before);
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(EditClipboardTest, PasteOfAReferenceIntoTheModelItPlacesIsRefused) {
  // Copy main's reference to sub (onto the clipboard too), then paste it into sub: refused,
  // nothing pushed.
  LoadDocument(doc, kProject, 0);
  Model().SelectOnly(1);
  doc.OnEditCopy();
  doc.GetProject().ActivateModel(2);
  doc.RefreshActiveModel();
  Model().SelectOnly(1);
  ClearRecords();
  EXPECT_EQ(doc.OnEditPasteAny(), 0);
  EXPECT_EQ(doc.GetUndoCount(), 1);
  EXPECT_FALSE(doc.IsModified());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, kPasteRecursion);
}

TEST_F(EditClipboardTest, MouseDropsAndLineListMoves) {
  Load({1, 4});
  EXPECT_EQ(doc.MoveSelection(1.5, 0, -2), 1);
  EXPECT_EQ(ModelText(Model()), MainWith({{1, "1 4 1.5 0 -2 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}));
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{kMoved});
  Load({3});
  EXPECT_EQ(doc.MoveSelectedLines(1), 1);
  EXPECT_EQ(ModelText(Model()), MainWith({{1, kMain[3]}, {2, kMain[1]}, {3, kMain[2]}}));
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_LIST_ONLY});
  // A handle of a single line: its second vertex moves by the vector; with copy, on a copy.
  Load({3});
  EXPECT_EQ(doc.DragHandle(1, 0, 5, 0, 1), 1);
  EXPECT_EQ(ModelText(Model()), MainWith({{3, "2 24 0 0 0 10 5 0\n", true}}));
  EXPECT_EQ(doc.GetUndoCount(), 3);
}

}  // namespace
