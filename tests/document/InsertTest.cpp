// Adding elements: the hint of each inserted kind, the parts added from the part list, by name and
// by a drop, Paste, the copy-drop and Modify - and the refusal of anything that would make a
// model place itself, before any snapshot is taken.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "DocModel.h"
#include "model/ElementEditor.h"
#include "model/QvBackgroundCmd.h"
#include "model/QvBfc.h"
#include "model/QvBufExchg.h"
#include "model/QvClear.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvLinePart.h"
#include "model/QvRotateCmd.h"
#include "model/QvStepPart.h"
#include "tests/model/ModelText.h"

namespace {

// main places sub, sub places leaf; spare stands alone.
const char kProject[] =
    "0 FILE main.ldr\n"
    "0 main\n"
    "1 4 0 -24 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"
    "0 FILE sub.ldr\n"
    "0 sub\n"
    "1 1 20 0 0 1 0 0 0 1 0 0 0 1 leaf.ldr\n"
    "0 FILE leaf.ldr\n"
    "0 leaf\n"
    "2 24 0 0 0 10 0 0\n"
    "0 FILE spare.ldr\n"
    "0 spare\n"
    "2 24 0 0 0 0 10 0\n";
enum ProjectModel { kMain = 0, kSub = 1, kLeaf = 2, kSpare = 3 };

const char kIncludeRecursion[] = "You cannot include this submodel\nas it would cause a recursion!";
const char kPasteRecursion[] = "You cannot paste this selection\nas it would cause a recursion!";

PartHandle ModelHandle(const char* name) { return thePartList.FindByName(name, kDocumentModels); }

std::string ProjectText(CQuorvelDoc& doc) {
  CArrayTextHandler out;
  doc.GetProject().WriteTo(out, "test.mpd");
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

const CQvElement* ReferenceAt(CQvFile& model, size_t index) {
  const CQvPart* e = model.GetAt(index);
  return e && e->GetType() == ElementType::Reference ? static_cast<const CQvElement*>(e) : nullptr;
}

// The part chooser and the comment dialog of Modify, answered from queues (empty: Cancel).
class CScriptedEditor : public IElementEditor {
 public:
  CScriptedEditor() { SetElementEditor(this); }
  ~CScriptedEditor() override { SetElementEditor(nullptr); }
  bool EditComment(CommentEdit& data) override {
    if (comments.empty()) return false;
    data.text = comments.front();
    comments.pop_front();
    return true;
  }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit&) override { return false; }
  bool ChoosePart(uint32_t& handle) override {
    if (parts.empty()) return false;
    handle = parts.front();
    parts.pop_front();
    return true;
  }
  std::deque<std::string> comments;
  std::deque<uint32_t> parts;
};

class InsertTest : public DocumentTest {
 protected:
  void LoadProject(ProjectModel active) {
    LoadDocument(doc, kProject, active);
    ASSERT_EQ(doc.GetProject().GetModelCount(), 4u);
    ASSERT_EQ(doc.GetProject().GetCurrentIndex(), static_cast<int>(active));
    ClearRecords();
  }
  CScriptedEditor editor;
};

// --- one element ---

TEST_F(InsertTest, InsertElementHintByKind) {
  struct Case {
    const char* what;
    std::function<std::unique_ptr<CQvPart>()> make;
    bool listOnly;  // else drawn into the panes (full update with DrawToSelection)
  };
  const Case cases[] = {
      {"step", [] { return std::make_unique<CQvStepPart>(); }, true},
      {"comment", [] { return std::make_unique<CQvCommentPart>("Type in the comment"); }, true},
      {"rotation step", [] { return std::make_unique<CQvRotateCmd>(); }, true},
      {"rotation end", [] { return std::make_unique<CQvRotateCmd>("END"); }, true},
      {"bfc", [] { return std::make_unique<CQvBfc>(); }, true},
      {"clear", [] { return std::make_unique<CQvClear>(); }, true},
      {"buffer exchange", [] { return std::make_unique<CQvBufExchg>(); }, true},
      {"background", [] { return std::make_unique<CQvBackgroundCmd>(); }, false},
      {"line", [] { return std::make_unique<CQvLinePart>(); }, false},
  };
  for (const Case& c : cases) {
    for (int drawToSelection : {0, 1}) {
      SCOPED_TRACE(testing::Message() << c.what << ", DrawToSelection " << drawToSelection);
      theSettings.DrawToSelection = drawToSelection;
      LoadDocument(doc, "2 24 0 0 0 1 0 0\n2 24 0 0 0 0 1 0\n");
      // The last element selected: the new one goes to the end, where the fast path may draw it
      // (pick ids of the elements before it stay valid).
      Model().SelectOnly(1);
      ClearRecords();
      std::unique_ptr<CQvPart> element = c.make();
      const CQvPart* raw = element.get();
      EXPECT_EQ(doc.InsertElement(std::move(element)), 1);
      // After the last selected element, and then the only selection.
      EXPECT_EQ(Model().GetAt(2), raw);
      EXPECT_EQ(Model().GetSelectedIndex(-1), 2);
      EXPECT_EQ(Model().GetSelectedCount(), 1u);
      const uint32_t drawn = drawToSelection ? HINT_FULL : HINT_APPENDED;
      EXPECT_EQ(observer.hints, std::vector<uint32_t>{c.listOnly ? HINT_LIST_ONLY : drawn});
      EXPECT_EQ(host.editModes, std::vector<int>{1});
      EXPECT_EQ(doc.GetUndoCount(), 2);
      EXPECT_TRUE(doc.IsModified());
    }
  }
}

TEST_F(InsertTest, InsertElementReturnsToEditMode) {
  LoadDocument(doc, SteppedModel(3));
  doc.OnViewMode();
  doc.OnNext();
  EXPECT_EQ(doc.InsertElement(std::make_unique<CQvStepPart>()), 1);
  EXPECT_EQ(doc.GetEditMode(), 1);
  EXPECT_EQ(doc.GetEditSubMode(), 0);
  EXPECT_EQ(doc.GetShownStep(), -1);
  EXPECT_EQ(doc.InsertElement(nullptr), 0);
}

// --- parts ---

TEST_F(InsertTest, AddPartPushesTwoSnapshots) {
  LoadProject(kMain);
  ASSERT_NE(ModelHandle("leaf.ldr"), 0u);
  EXPECT_EQ(doc.AddChosenPart(ModelHandle("leaf.ldr"), {}), 1);
  ASSERT_EQ(Model().GetCount(), 3u);
  const CQvElement* added = ReferenceAt(Model(), 2);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->GetFileName(), "leaf.ldr");
  EXPECT_TRUE(added->selected);
  // At the previous part's position.
  EXPECT_DOUBLE_EQ(added->GetPosition().y, -24);
  EXPECT_EQ(doc.GetUndoCount(), 3);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_APPENDED});
  // One Undo leaves the part in place, a second one removes it.
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetActiveModel()->GetCount(), 3u);
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetActiveModel()->GetCount(), 2u);
}

TEST_F(InsertTest, AddedPartPosition) {
  struct Case {
    const char* what;
    int usePrevious, usePrevPos;
    CVector3 expected;
  };
  // The previous part of main sits at (0, -24, 0); a drop in a pane looking along y at (100, 0, 60).
  const Case cases[] = {
      {"add part: to the previous part", 1, 0, {0, -24, 0}},
      {"add part with UsePrevPos: as inserted", 1, 1, {0, 0, 0}},
      {"drop: plane from the point, depth from the previous part", 0, 0, {100, -24, 60}},
      {"drop with UsePrevPos", 0, 1, {100, -24, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    theSettings.UsePrevPos = c.usePrevPos;
    LoadProject(kMain);
    const double x = c.usePrevious ? 0 : 100, z = c.usePrevious ? 0 : 60;
    EXPECT_EQ(doc.AddPartFromList(ModelHandle("spare.ldr"), -1, x, 0, z, c.usePrevious, 0, 1, 0), 1);
    const CQvElement* added = ReferenceAt(Model(), 2);
    ASSERT_NE(added, nullptr);
    EXPECT_DOUBLE_EQ(added->GetPosition().x, c.expected.x);
    EXPECT_DOUBLE_EQ(added->GetPosition().y, c.expected.y);
    EXPECT_DOUBLE_EQ(added->GetPosition().z, c.expected.z);
    EXPECT_EQ(doc.GetUndoCount(), 2);  // the operation's one snapshot
  }
}

TEST_F(InsertTest, PartsAreAddedOnlyInEditModeAndForKnownEntries) {
  LoadProject(kMain);
  EXPECT_EQ(doc.AddPartFromList(0, -1, 0, 0, 0, 1, 0, 0, 0), 0);
  EXPECT_EQ(doc.AddPartFromList(MakePartHandle(kDocumentModels, 77), -1, 0, 0, 0, 1, 0, 0, 0), 0);
  EXPECT_EQ(doc.AddPartByName(""), 0);
  EXPECT_TRUE(doc.CanAddElements());
  doc.SetEditMode(1);
  EXPECT_FALSE(doc.CanAddElements());
  doc.OnViewMode();
  EXPECT_EQ(doc.AddPartByName("leaf.ldr"), 0);
  EXPECT_EQ(doc.AddChosenPart(ModelHandle("leaf.ldr"), {}), 0);
  EXPECT_EQ(doc.GetUndoCount(), 1);
}

// A model that would place itself: refused with the message before any snapshot; nothing of the
// project, the ring, the modified flag, the selection or the copy buffer changes.
TEST_F(InsertTest, AddingAPartThatClosesACycleIsRefusedBeforeAnySnapshot) {
  struct Case {
    const char* what;
    ProjectModel active;
    std::function<int(CQuorvelDoc&)> add;
  };
  const Case cases[] = {
      {"a model placing itself", kSub,
       [](CQuorvelDoc& d) { return d.AddPartFromList(ModelHandle("sub.ldr"), -1, 0, 0, 0, 1, 0, 0, 0); }},
      {"through its parent", kSub,
       [](CQuorvelDoc& d) { return d.AddPartFromList(ModelHandle("main.ldr"), -1, 0, 0, 0, 1, 0, 0, 0); }},
      {"dropped", kSub,
       [](CQuorvelDoc& d) { return d.AddPartFromList(ModelHandle("main.ldr"), 0, 10, 0, 0, 0, 0, 0, 1); }},
      {"by name, two levels up, any case", kLeaf, [](CQuorvelDoc& d) { return d.AddPartByName("MAIN.LDR"); }},
      {"the Add Part command", kLeaf,
       [](CQuorvelDoc& d) { return d.AddChosenPart(ModelHandle("sub.ldr"), {}); }},
      {"the Add Part command through the chooser", kSub, [](CQuorvelDoc& d) { return d.OnAddPart(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadProject(c.active);
    editor.parts = {ModelHandle("main.ldr")};
    Model().SelectOnly(0);
    CCopyBuffer::Clear();
    CCopyBuffer::Add(std::make_unique<CQvCommentPart>("kept"));
    prompt.shown.clear();
    const std::string before = ProjectText(doc);

    EXPECT_EQ(c.add(doc), 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, kIncludeRecursion);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Stop);
    EXPECT_EQ(ProjectText(doc), before);
    EXPECT_FALSE(doc.GetProject().HasRecursion());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetUndoCurrent(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(observer.hints.empty());
    EXPECT_EQ(Model().GetSelectedIndex(-1), 0);
    ASSERT_EQ(CCopyBuffer::GetCount(), 1u);
    EXPECT_EQ(WriteElement(*CCopyBuffer::GetNext(1)), "0 kept\n");
  }
}

// --- the copy buffer ---

TEST_F(InsertTest, PasteThatClosesACycleIsRefusedAndChangesNothing) {
  LoadProject(kMain);
  Model().SelectOnly(1);  // the reference to sub
  Model().CopySelected();
  doc.GetProject().ActivateModel(kSub + 1);
  doc.RefreshActiveModel();
  Model().SelectOnly(1);
  const std::string before = ProjectText(doc);
  EXPECT_TRUE(doc.CanPaste());

  EXPECT_EQ(doc.OnEditPaste(), 0);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, kPasteRecursion);
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Stop);
  EXPECT_EQ(ProjectText(doc), before);
  EXPECT_EQ(doc.GetUndoCount(), 1);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(observer.hints.empty());
  EXPECT_EQ(Model().GetSelectedIndex(-1), 1);  // the selection as before
  ASSERT_EQ(CCopyBuffer::GetCount(), 1u);
  EXPECT_EQ(static_cast<const CQvElement*>(CCopyBuffer::GetNext(1))->GetFileName(), "sub.ldr");
  // Undo still reaches the loaded state, with every reference.
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(InsertTest, PasteIntoAnotherModelDrawsThePastedElements) {
  for (int drawToSelection : {0, 1}) {
    SCOPED_TRACE(drawToSelection);
    theSettings.DrawToSelection = drawToSelection;
    LoadProject(kMain);
    Model().SelectOnly(1);
    Model().CopySelected();
    doc.GetProject().ActivateModel(kSpare + 1);
    doc.RefreshActiveModel();
    ClearRecords();
    EXPECT_EQ(doc.OnEditPaste(), 1);
    ASSERT_EQ(Model().GetCount(), 3u);
    EXPECT_EQ(Model().GetSelectedIndex(-1), 2);
    EXPECT_EQ(ReferenceAt(Model(), 2)->GetFileName(), "sub.ldr");
    EXPECT_EQ(doc.GetUndoCount(), 2);
    EXPECT_EQ(observer.hints, std::vector<uint32_t>{drawToSelection ? HINT_FULL : HINT_APPENDED});
    EXPECT_TRUE(prompt.shown.empty());
    // The copy buffer keeps its elements for the next paste.
    EXPECT_EQ(CCopyBuffer::GetCount(), 1u);
  }
  CCopyBuffer::Clear();
  EXPECT_FALSE(doc.CanPaste());
  EXPECT_EQ(doc.OnEditPaste(), 0);
}

TEST_F(InsertTest, CopyDropCopiesAndMovesTheSelection) {
  LoadProject(kMain);
  Model().SelectOnly(1);
  EXPECT_EQ(doc.CopyAndMoveSelection(20, 0, -40), 1);
  ASSERT_EQ(Model().GetCount(), 3u);
  EXPECT_DOUBLE_EQ(ReferenceAt(Model(), 1)->GetPosition().x, 0);
  const CQvElement* copy = ReferenceAt(Model(), 2);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->selected);
  EXPECT_DOUBLE_EQ(copy->GetPosition().x, 20);
  EXPECT_DOUBLE_EQ(copy->GetPosition().y, -24);
  EXPECT_DOUBLE_EQ(copy->GetPosition().z, -40);
  EXPECT_EQ(doc.GetUndoCount(), 3);
  EXPECT_EQ(CCopyBuffer::GetCount(), 1u);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_APPENDED});
  Model().ClearSelection();
  EXPECT_EQ(doc.CopyAndMoveSelection(20, 0, 0), 0);
}

// --- Modify ---

TEST_F(InsertTest, ModifyCannotMakeAModelPlaceItself) {
  struct Case {
    const char* what;
    const char* chosen;  // null: the chooser is cancelled
    int result;
    std::string fileAfter;
    std::vector<uint32_t> hints;
    const char* message;
  };
  const Case cases[] = {
      {"to the parent: a cycle", "main.ldr", 0, "leaf.ldr", {}, kIncludeRecursion},
      {"to itself: a cycle", "sub.ldr", 0, "leaf.ldr", {}, kIncludeRecursion},
      {"to another model", "spare.ldr", 1, "spare.ldr", {HINT_LIST_STATES | HINT_KEEP_IMAGE}, nullptr},
      {"cancelled", nullptr, 0, "leaf.ldr", {}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadProject(kSub);
    Model().SelectOnly(1);
    prompt.shown.clear();
    editor.parts.clear();
    if (c.chosen) editor.parts.push_back(ModelHandle(c.chosen));
    const std::string before = ProjectText(doc);
    ASSERT_TRUE(doc.CanModify());

    EXPECT_EQ(doc.EditSelectedElement(), c.result);
    ASSERT_NE(ReferenceAt(Model(), 1), nullptr);
    EXPECT_EQ(ReferenceAt(Model(), 1)->GetFileName(), c.fileAfter);
    EXPECT_EQ(observer.hints, c.hints);
    EXPECT_EQ(doc.GetUndoCount(), c.result ? 2 : 1);
    EXPECT_FALSE(doc.GetProject().HasRecursion());
    if (c.message) {
      ASSERT_EQ(prompt.shown.size(), 1u);
      EXPECT_EQ(prompt.shown[0].text, c.message);
      EXPECT_EQ(ProjectText(doc), before);
      EXPECT_EQ(Model().GetSelectedIndex(-1), 1);
      EXPECT_FALSE(doc.IsModified());
    } else {
      EXPECT_TRUE(prompt.shown.empty());
    }
  }
}

TEST_F(InsertTest, ModifyOfACommentAndTheEnableRule) {
  LoadProject(kSub);
  EXPECT_FALSE(doc.CanModify());  // nothing selected
  Model().SelectOnly(0);
  Model().Select(1);
  EXPECT_FALSE(doc.CanModify());  // two elements
  Model().SelectOnly(0);
  ASSERT_TRUE(doc.CanModify());
  editor.comments = {"renamed"};
  EXPECT_EQ(doc.EditSelectedElement(), 1);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_LIST_STATES});
  EXPECT_EQ(WriteElement(*Model().GetAt(0)), "0 renamed\n");
  EXPECT_EQ(doc.GetUndoCount(), 2);
}

}  // namespace
