// The program's ports: only what is built is offered, so the commands of the missing dialogs are
// disabled (not cancelled), and the progress port shows the progress dialog with Cancel.
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/WxDocumentPorts.h"
#include "document/QuorvelDoc.h"
#include "model/ElementEditor.h"
#include "model/QvFile.h"
#include "model/QvLinePart.h"

namespace {

TEST(WxDocumentPorts, EveryDialogIsOfferedAndModifyWaitsForAnEditor) {
  CWxDocumentPorts ports;
  CQuorvelDoc doc;
  doc.SetPorts(&ports);
  doc.OnNewDocument();
  auto line = std::make_unique<CQvLinePart>();
  doc.GetActiveModel()->Append(std::move(line));
  doc.GetActiveModel()->SelectOnly(static_cast<int32_t>(doc.GetActiveModel()->GetCount() - 1));
  ASSERT_GT(doc.CountSelectedDrawables(), 0);
  // Every dialog of the ports exists now: the commands follow their own rules.
  for (DocPort port : {DocPort::Progress, DocPort::Color, DocPort::Sort, DocPort::KeyboardEntry,
                       DocPort::ExportOptions, DocPort::Programs})
    EXPECT_TRUE(ports.Offers(port)) << static_cast<int>(port);
  EXPECT_TRUE(doc.CanChooseColor());
  EXPECT_TRUE(doc.CanExport());

  // Without an element editor (a test, or before start-up installs the dialogs) Modify stays off.
  SetElementEditor(nullptr);
  EXPECT_FALSE(doc.CanModify());
  doc.SetPorts(nullptr);
}

TEST(WxDocumentPorts, TheProgressPortShowsTheProgressDialog) {
  REQUIRE_GUI();
  CWxDocumentPorts ports;
  ASSERT_TRUE(ports.Offers(DocPort::Progress));
  std::unique_ptr<IProgress> progress = ports.BeginProgress("Exporting", 3);
  ASSERT_NE(progress, nullptr);
  progress->SetMessage("Exporting ...");
  progress->Step();
  EXPECT_FALSE(progress->IsCancelled());
  progress.reset();
  PumpEvents();
}

}  // namespace
