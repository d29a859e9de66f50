// The document's ports: each command's enable rule asks whether its port is offered (a missing
// dialog disables the command instead of cancelling it), and the document runs outside programs
// through the installed ports.
#include <gtest/gtest.h>

#include "DocModel.h"
#include "document/QuorvelDoc.h"
#include "model/ElementEditor.h"
#include "tests/support/ScriptedPorts.h"

namespace {

// A comment, a line and a part reference (no library needed for the rules).
const char* const kModel =
    "0 model\n"
    "2 24 0 0 0 10 0 0\n"
    "1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n";

class PortsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.SetPorts(&ports);
    LoadDocument(doc, kModel);
    doc.GetActiveModel()->SelectOnly(1);
  }
  void TearDown() override { doc.SetPorts(nullptr); }

  CQuorvelDoc doc;
  CScriptedPorts ports;
};

TEST_F(PortsTest, EachEnableRuleAsksItsPort) {
  struct Row {
    DocPort port;
    bool (CQuorvelDoc::*rule)() const;
  } rows[] = {
      {DocPort::Color, &CQuorvelDoc::CanChooseColor},
      {DocPort::Sort, &CQuorvelDoc::CanSort},
      {DocPort::KeyboardEntry, &CQuorvelDoc::CanEnterByKeyboard},
      {DocPort::ExportOptions, &CQuorvelDoc::CanExport},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.port));
    ports.offered.clear();
    EXPECT_FALSE((doc.*row.rule)()) << "a port that is not offered disables its command";
    ports.offered = {row.port};
    EXPECT_TRUE((doc.*row.rule)());
  }
}

TEST_F(PortsTest, TheRulesStillNeedTheirDocumentState) {
  ports.offered = {DocPort::Color, DocPort::Sort, DocPort::KeyboardEntry, DocPort::ExportOptions};
  doc.GetActiveModel()->SelectOnly(-1);
  EXPECT_FALSE(doc.CanChooseColor());  // nothing selected
  EXPECT_FALSE(doc.CanEnterByKeyboard());
  EXPECT_TRUE(doc.CanSort());
  doc.OnViewMode();
  EXPECT_FALSE(doc.CanSort());  // edit mode only
  LoadDocument(doc, "0 comments only\n");
  EXPECT_FALSE(doc.CanExport());  // nothing drawable
}

TEST_F(PortsTest, WithoutPortsNothingIsOffered) {
  doc.SetPorts(nullptr);
  EXPECT_FALSE(doc.CanChooseColor());
  EXPECT_FALSE(doc.CanExport());
  ColorChoice color;
  EXPECT_EQ(doc.Ports().ChooseColor(color), PortResult::NotAvailable);
  ProgramResult result;
  EXPECT_EQ(doc.RunOutsideProgram({{"true"}, false, "", ""}, "Export", result), PortResult::NotAvailable);
}

TEST_F(PortsTest, OutsideProgramsRunUnderAProgressWithCancel) {
  struct Row {
    const char* name;
    bool progressOffered;
    int cancelAfter;
    PortResult expected;
    bool cancelled;
  } rows[] = {
      {"runs to its end", true, 0, PortResult::Ok, false},
      {"cancelled from the progress window", true, 2, PortResult::Cancelled, true},
      {"no progress window: runs without Cancel", false, 1, PortResult::Ok, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ports.offered = {DocPort::Programs};
    if (row.progressOffered) ports.offered.insert(DocPort::Progress);
    ports.cancelAfter = row.cancelAfter;
    ports.exitStatus = 3;
    ports.runs.clear();
    ProgramRun run;
    run.argv = {"postproc", "model_00001.ldr"};
    run.logFile = "export.log";
    ProgramResult result;
    EXPECT_EQ(doc.RunOutsideProgram(run, "Exporting ...", result), row.expected);
    EXPECT_EQ(result.cancelled, row.cancelled);
    EXPECT_EQ(result.exitStatus, row.cancelled ? -1 : 3);
    ASSERT_EQ(ports.runs.size(), 1u);
    EXPECT_EQ(ports.runs[0].argv, run.argv);
    EXPECT_EQ(ports.runs[0].logFile, "export.log");
  }
}

// The element dialogs are the element editor's: Modify is offered only for the element types whose
// dialog the installed editor has.
class OffersCommentsOnly : public IElementEditor {
 public:
  OffersCommentsOnly() { SetElementEditor(this); }
  ~OffersCommentsOnly() override { SetElementEditor(nullptr); }
  bool Offers(ElementType type) const override { return type == ElementType::Comment; }
  bool EditComment(CommentEdit& data) override {
    data.text = "edited";
    return true;
  }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit&) override { return false; }
};

TEST_F(PortsTest, ModifyIsDisabledWhereTheElementDialogIsMissing) {
  doc.GetActiveModel()->SelectOnly(0);
  EXPECT_FALSE(doc.CanModify()) << "no editor installed: no dialog";
  OffersCommentsOnly editor;
  EXPECT_TRUE(doc.CanModify());
  EXPECT_EQ(doc.EditSelectedElement(), 1);
  doc.GetActiveModel()->SelectOnly(1);
  EXPECT_FALSE(doc.CanModify()) << "a line's dialog is not offered";
}

}  // namespace
