#include <gtest/gtest.h>

#include "ModelText.h"
#include "model/ElementEditor.h"
#include "model/QvBackgroundCmd.h"
#include "model/QvBfc.h"
#include "model/QvBufExchg.h"
#include "model/QvClear.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"
#include "platform/Folders.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

// Answers every dialog with the values set here, or cancels.
class CScriptedEditor : public IElementEditor {
 public:
  CScriptedEditor() { SetElementEditor(this); }
  ~CScriptedEditor() override { SetElementEditor(nullptr); }
  bool EditComment(CommentEdit& d) override {
    seenComment = d;
    d = comment;
    return ok;
  }
  bool EditBfc(BfcEdit& d) override {
    d = bfc;
    return ok;
  }
  bool EditBackground(std::string& name) override {
    name = background;
    return ok;
  }
  bool EditBufExchg(BufExchgEdit& d) override {
    d = bufExchg;
    return ok;
  }
  bool EditGroup(GroupEdit& d) override {
    seenGroup = d;
    d.name = group;
    return ok;
  }

  bool ok = true;
  CommentEdit comment, seenComment;
  BfcEdit bfc;
  std::string background;
  BufExchgEdit bufExchg;
  std::string group;
  GroupEdit seenGroup;
};

TEST(Comment, WritesEachKind) {
  CQvCommentPart plain("text here", kCommentPlain), write("text", kCommentWrite),
      empty("", kCommentEmptyLine), verbatim("1 16 0 0 0 1 0 0 0 1 0 0 0 1 a.dat", kCommentVerbatim);
  EXPECT_EQ(WriteElement(plain), "0 text here\n");
  EXPECT_EQ(WriteElement(write), "0 WRITE text\n");
  EXPECT_EQ(WriteElement(empty), "\n");
  verbatim.ghost = verbatim.hidden = true;
  EXPECT_EQ(WriteElement(verbatim), "0 GHOST 0 TOLVO HIDE 1 16 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\n");
}

TEST(Comment, EditChoosesTheKindAndCancelChangesNothing) {
  CScriptedEditor editor;
  CQvFile owner;
  CQvCommentPart empty("", kCommentEmptyLine);
  editor.comment = {"now a comment", false};
  EXPECT_EQ(empty.Edit(owner), 1);
  EXPECT_FALSE(editor.seenComment.oldStyle);
  EXPECT_EQ(WriteElement(empty), "0 WRITE now a comment\n");
  editor.comment = {"old style", true};
  EXPECT_EQ(empty.Edit(owner), 1);
  EXPECT_EQ(WriteElement(empty), "0 old style\n");
  editor.ok = false;
  EXPECT_EQ(empty.Edit(owner), 0);
  EXPECT_EQ(WriteElement(empty), "0 old style\n");
}

TEST(Comment, CollectsCommentsByKind) {
  CQvCommentPart plain("p", kCommentPlain), write("w", kCommentWrite);
  std::vector<std::string> list;
  plain.CollectComments(list, 0);
  write.CollectComments(list, 0);
  plain.CollectComments(list, 1);
  EXPECT_EQ(list, (std::vector<std::string>{"w", "p"}));
}

TEST(Comment, ExportsOnlyInNormalFormat) {
  CQvCommentPart c("hello", kCommentPlain);
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  EXPECT_EQ(c.Export(ctx, {}, CMatrix3::Identity(), 16), 1);
  EXPECT_TRUE(out.GetLines().empty());
  ctx.format = ExportFormat::Normal;
  EXPECT_EQ(c.Export(ctx, {}, CMatrix3::Identity(), 16), 1);
  EXPECT_EQ(Joined(out), "0 hello\n");
}

TEST(Bfc, DescribeAndEdit) {
  CQvBfc bfc;
  bfc.Parse("0 BFC CERTIFY CCW INVERTNEXT");
  ElementDescription d;
  bfc.Describe(d);
  EXPECT_EQ(d.text, "CERTIFIED CCW INVERTNEXT");
  EXPECT_EQ(d.typeFlags, 13u);
  bfc.Parse("0 BFC NOCERTIFY");
  bfc.Describe(d);
  EXPECT_EQ(d.text, "UNCERTIFIED");
  CScriptedEditor editor;
  CQvFile owner;
  editor.bfc = {CQvBfc::kCertify, CQvBfc::kNoClip, CQvBfc::kCw, 0};
  EXPECT_EQ(bfc.Edit(owner), 2);
  EXPECT_EQ(WriteElement(bfc), "0 BFC CERTIFY NOCLIP CW\n");
  auto clone = bfc.Clone();
  EXPECT_EQ(WriteElement(*clone), "0 BFC CERTIFY NOCLIP CW\n");
}

// A line keeps its own words through a clone and an edit that changes nothing; an edited option
// is written anew, with CERTIFY only where the line had it or the user chose it.
TEST(Bfc, WordsAsReadUnlessEdited) {
  CScriptedEditor editor;
  CQvFile owner;
  CQvBfc bfc;
  bfc.Parse("0 BFC NOCLIP");
  EXPECT_EQ(bfc.certification, CQvBfc::kCertify) << "an option still certifies the file";
  EXPECT_EQ(WriteElement(bfc), "0 BFC NOCLIP\n");
  EXPECT_EQ(WriteElement(*bfc.Clone()), "0 BFC NOCLIP\n");
  editor.bfc = {CQvBfc::kCertify, CQvBfc::kNoClip, CQvBfc::kNone, 0};
  EXPECT_EQ(bfc.Edit(owner), 2);
  EXPECT_EQ(WriteElement(bfc), "0 BFC NOCLIP\n");
  editor.bfc = {CQvBfc::kCertify, CQvBfc::kClip, CQvBfc::kNone, 0};
  EXPECT_EQ(bfc.Edit(owner), 2);
  EXPECT_EQ(WriteElement(bfc), "0 BFC CLIP\n");
  bfc.Parse("0 BFC NOCERTIFY");
  editor.bfc = {CQvBfc::kCertify, CQvBfc::kNone, CQvBfc::kCcw, 0};
  EXPECT_EQ(bfc.Edit(owner), 2);
  EXPECT_EQ(WriteElement(bfc), "0 BFC CERTIFY CCW\n");
}

TEST(Background, EditAndSetFile) {
  CScriptedEditor editor;
  CQvFile owner;
  CQvBackgroundCmd bg;
  bg.SetFile("sky.bmp");
  EXPECT_EQ(WriteElement(bg), "0 BACKGROUND \"sky.bmp\"\n");
  editor.background = "night sky.jpg";
  EXPECT_EQ(bg.Edit(owner), 1);
  EXPECT_EQ(WriteElement(*bg.Clone()), "0 BACKGROUND \"night sky.jpg\"\n");
}

// Found by the reader fuzz target: an unquoted name holding a quote was written back quoted, and
// then read as a shorter name.
TEST(Background, AnUnquotedNameWithAQuoteSurvivesWriting) {
  CQvBackgroundCmd bg;
  bg.Parse("0 BACKGROUND STEP\"sky blue.bmp\"");
  EXPECT_EQ(WriteElement(bg), "0 BACKGROUND STEP\"sky\n");
  CQvBackgroundCmd again;
  again.Parse(WriteElement(bg));
  EXPECT_EQ(WriteElement(again), WriteElement(bg));
}

TEST(Clear, CannotBeEditedAndIsStepContent) {
  CScriptedPrompt prompt;
  CQvFile owner;
  CQvClear clear;
  EXPECT_TRUE(clear.stepContent);
  EXPECT_EQ(clear.CanEdit(), 0);
  EXPECT_EQ(clear.Edit(owner), 0);
  EXPECT_EQ(prompt.beeps, 1);
  clear.hidden = true;
  ElementDescription d;
  clear.Describe(d);
  EXPECT_EQ(d.text, "Hidden");
}

TEST(BufExchg, StepContentFollowsTheMode) {
  CQvBufExchg b;
  b.Parse("0 BUFEXCHG q RETRIEVE");
  EXPECT_TRUE(b.stepContent);
  EXPECT_EQ(b.GetLetter(), 'Q');
  ElementDescription d;
  b.Describe(d);
  EXPECT_EQ(d.text, "RETRIEVE Q");
  CScriptedEditor editor;
  CQvFile owner;
  editor.bufExchg = {2, CQvBufExchg::kStore};
  EXPECT_EQ(b.Edit(owner), 1);
  EXPECT_FALSE(b.stepContent);
  EXPECT_EQ(WriteElement(b), "0 BUFEXCHG C STORE\n");
  // A letter word of any length never overruns anything: it is refused.
  EXPECT_THROW(b.Parse("0 BUFEXCHG A " + std::string(5000, 'S')), CParseError);
}

TEST(BufExchg, CopiesLiveInThePrivateTemporaryFolder) {
  std::string temp = GetTempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(CQvBufExchg::TempFilePath('A'), temp + "PlandorTMP.A");
}

// Step export: CLEAR empties the step file, STORE and RETRIEVE put back what was written before.
TEST(BufExchg, ExportStoresAndRetrievesTheStepFile) {
  CScratchDir dir;
  std::string path = dir / "step_00001.ldr";
  CFileTextHandler out;
  ASSERT_EQ(out.OpenForWrite(path), 1);
  ExportContext ctx;
  ctx.output = &out;
  ctx.exportPath = path;
  ctx.format = ExportFormat::Normal;
  CQvCommentPart a("a", kCommentPlain), b("b", kCommentPlain), c("c", kCommentPlain);
  CQvBufExchg store, retrieve;
  store.SetBuffer(1, CQvBufExchg::kStore);
  retrieve.SetBuffer(1, CQvBufExchg::kRetrieve);
  CQvClear clear;
  const CMatrix3 id = CMatrix3::Identity();
  ASSERT_EQ(a.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(store.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(b.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(retrieve.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(c.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(out.Close(), 1);
  EXPECT_EQ(ReadFileBytes(path), "0 a\n0 c\n");
  ASSERT_EQ(out.OpenForWrite(path), 1);
  ASSERT_EQ(a.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(clear.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(c.Export(ctx, {}, id, 16), 1);
  ASSERT_EQ(out.Close(), 1);
  EXPECT_EQ(ReadFileBytes(path), "0 c\n");
  CQvBufExchg::DeleteTempFiles();
  EXPECT_FALSE(FileExists(CQvBufExchg::TempFilePath('B')));
  // An in-memory output cannot be exchanged.
  CArrayTextHandler memory;
  ctx.output = &memory;
  EXPECT_EQ(store.Export(ctx, {}, id, 16), 0);
}

TEST(Group, EditOffersTheOtherGroupNames) {
  auto f = LoadText("0 TOLVO BTG A\n0 x\n0 GROUP 1 A\n0 TOLVO BTG B\n0 y\n0 GROUP 1 B\n");
  auto* a = dynamic_cast<CSelectionGroup*>(f->GetAt(1));
  ASSERT_NE(a, nullptr);
  CScriptedEditor editor;
  editor.group = "Renamed";
  EXPECT_EQ(a->Edit(*f), 1);
  EXPECT_EQ(editor.seenGroup.name, "A");
  EXPECT_EQ(editor.seenGroup.otherNames, std::vector<std::string>{"B"});
  EXPECT_EQ(WriteElement(*f->GetAt(0)), "0 TOLVO BTG Renamed\n0 x\n");
  EXPECT_EQ(WriteElement(*a), "0 GROUP 1 Renamed\n");
  EXPECT_EQ(a->Clone(), nullptr);
}

TEST(Group, CountAndNameAfterTheKeyword) {
  CSelectionGroup g;
  EXPECT_EQ(g.GetName(), "Group name");
  g.Parse("0 GROUP   12   Hose 1/2");
  EXPECT_EQ(g.GetExpectedMembers(), 12);
  EXPECT_EQ(g.GetName(), "Hose 1/2");
  CQvClear member;
  EXPECT_EQ(g.AddMember(nullptr), 0);
  EXPECT_EQ(g.AddMember(&member), 1);
  EXPECT_EQ(g.GetExpectedMembers(), 11);
  size_t pos = 0;
  EXPECT_EQ(g.GetFirstMember(pos), &member);
  EXPECT_EQ(g.GetNextMember(pos), nullptr);
  g.RemoveAllMembers();
  EXPECT_EQ(member.GetGroup(), nullptr);
}

}  // namespace
