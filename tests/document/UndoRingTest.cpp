// The undo ring: eleven snapshots at most, trimmed after an undo, never redone.
#include <gtest/gtest.h>

#include "DocTestHost.h"
#include "document/QuorvelDoc.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"

namespace {

// One change: a comment whose text counts the changes, then the push.
void Change(CQuorvelDoc& doc, int n) {
  doc.GetActiveModel()->Append(std::make_unique<CQvCommentPart>("change " + std::to_string(n)));
  doc.SetModifiedFlag(1);
}

int CountComments(CQuorvelDoc& doc) {
  int n = 0;
  for (size_t i = 0; i < doc.GetActiveModel()->GetCount(); ++i)
    if (doc.GetActiveModel()->GetAt(i)->GetType() == ElementType::Comment) ++n;
  return n;
}

TEST(UndoRingTest, NewDocumentHoldsOneSnapshotAndIsUnmodified) {
  CQuorvelDoc doc;
  CScriptedDocumentHost host;
  doc.SetHost(&host);
  ASSERT_EQ(doc.OnNewDocument(), 1);
  EXPECT_EQ(doc.GetUndoCount(), 1);
  EXPECT_EQ(doc.GetUndoCurrent(), 0);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.GetEditMode(), 1);
  EXPECT_EQ(doc.GetShownStep(), -1);
  EXPECT_EQ(host.editModes, std::vector<int>{1});
  EXPECT_EQ(host.messages, std::vector<unsigned>{WM_MODEL_CHANGED});
}

TEST(UndoRingTest, TwelveChangesKeepElevenSnapshotsAndTenUndos) {
  CQuorvelDoc doc;
  doc.OnNewDocument();
  const int base = CountComments(doc);
  for (int i = 1; i <= 12; ++i) Change(doc, i);
  EXPECT_EQ(doc.GetUndoCount(), 11);
  EXPECT_EQ(doc.GetUndoCurrent(), 10);
  int undos = 0;
  while (doc.CanUndo()) {
    doc.OnEditUndo();
    ++undos;
  }
  EXPECT_EQ(undos, 10);
  // Back at the state after the second change; the new document's state is gone.
  EXPECT_EQ(CountComments(doc), base + 2);
}

TEST(UndoRingTest, ChangeAfterUndoDropsTheLaterSnapshots) {
  CQuorvelDoc doc;
  doc.OnNewDocument();
  const int base = CountComments(doc);
  for (int i = 1; i <= 4; ++i) Change(doc, i);
  doc.OnEditUndo();
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetUndoCurrent(), 2);
  EXPECT_EQ(CountComments(doc), base + 2);
  Change(doc, 5);
  EXPECT_EQ(doc.GetUndoCount(), 4);
  EXPECT_EQ(doc.GetUndoCurrent(), 3);
  EXPECT_EQ(doc.GetUndoSnapshot(4), nullptr);
  EXPECT_TRUE(doc.CanUndo());
  doc.OnEditUndo();
  EXPECT_EQ(CountComments(doc), base + 2);
}

TEST(UndoRingTest, UndoMarksTheDocumentModifiedAndUpdatesEveryView) {
  CQuorvelDoc doc;
  CScriptedDocumentHost host;
  CRecordingObserver observer;
  doc.SetHost(&host);
  doc.AddObserver(&observer);
  doc.OnNewDocument();
  Change(doc, 1);
  doc.SetModifiedFlag(0);  // as after a save
  host.messages.clear();
  doc.OnEditUndo();
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
  EXPECT_EQ(host.messages, std::vector<unsigned>{WM_MODEL_CHANGED});
  EXPECT_EQ(doc.GetActiveModel(), doc.GetProject().GetCurrentFile());
}

// Modified follows the ring position the file was saved at. Each row: changes before the save,
// changes after it, undos; then whether the document is modified.
TEST(UndoRingTest, ModifiedFollowsTheSavedPosition) {
  struct Row {
    const char* name;
    int before, after, undos;
    bool modified;
  };
  const Row rows[] = {
      {"saved, untouched", 2, 0, 0, false},
      {"edit after the save", 2, 1, 0, true},
      {"edit, undo back to the saved state", 2, 3, 3, false},
      {"save, undo past it", 2, 0, 1, true},
      {"edit, undo part of the way", 2, 3, 2, true},
      // The ring drops its oldest snapshots; the saved one moves down with them.
      {"ten edits after the save, all undone", 3, 10, 10, false},
      // An eleventh edit drops the saved snapshot: no position is the saved state any more.
      {"eleven edits after the save, all undone", 0, 11, 10, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CQuorvelDoc doc;
    doc.OnNewDocument();
    int n = 0;
    for (int i = 0; i < row.before; ++i) Change(doc, ++n);
    doc.SetModifiedFlag(0);  // as after a save
    EXPECT_FALSE(doc.IsModified());
    for (int i = 0; i < row.after; ++i) Change(doc, ++n);
    for (int i = 0; i < row.undos; ++i) {
      ASSERT_TRUE(doc.CanUndo());
      doc.OnEditUndo();
    }
    EXPECT_EQ(doc.IsModified(), row.modified);
    EXPECT_EQ(doc.CanSave(), row.modified);
  }
}

// There is no redo: a change after undoing past the save drops the saved state for good.
TEST(UndoRingTest, ChangeAfterUndoingPastTheSaveNeverReturnsToUnmodified) {
  CQuorvelDoc doc;
  doc.OnNewDocument();
  Change(doc, 1);
  Change(doc, 2);
  doc.SetModifiedFlag(0);
  doc.OnEditUndo();
  Change(doc, 3);
  EXPECT_TRUE(doc.IsModified());
  while (doc.CanUndo()) {
    doc.OnEditUndo();
    EXPECT_TRUE(doc.IsModified());
  }
}

// Pushing a snapshot is a change; saving is not a push.
TEST(UndoRingTest, SavingPushesNoSnapshot) {
  CQuorvelDoc doc;
  doc.OnNewDocument();
  Change(doc, 1);
  doc.SetModifiedFlag(0);
  EXPECT_EQ(doc.GetUndoCount(), 2);
  EXPECT_EQ(doc.GetUndoCurrent(), 1);
  doc.PushUndoSnapshot();
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetUndoCount(), 3);
}

}  // namespace
