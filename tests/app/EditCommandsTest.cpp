// The editing commands in the document's link of the command chain: their rules follow the
// selection, and Copy and Paste go through the desktop clipboard, so a copy made by one document
// pastes into another as it would into a second running program.
#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "GuiTest.h"
#include "app/CommandMap.h"
#include "app/DocumentCommands.h"
#include "config/Settings.h"
#include "document/ClipboardPort.h"
#include "document/QuorvelDoc.h"
#include "model/CopyBuffer.h"
#include "model/QvFile.h"
#include "model/QvLinePart.h"
#include "model/TextHandler.h"

namespace {

constexpr int kCopy = 57634, kPaste = 57637, kErase = 57632, kSelectAll = 32980, kMoveRight = 32792,
              kGridFine = 32883, kPaneCoordinates = 33007;

void AddLine(CQuorvelDoc& doc) {
  auto line = std::make_unique<CQvLinePart>();
  line->SetVertex(1, CVector3(10, 0, 0));
  line->SetColor(4);
  doc.GetActiveModel()->Append(std::move(line));
}

// The last element's line (a new document starts with its header comments).
std::string LastLine(const CQvFile& model) {
  CArrayTextHandler out;
  if (model.GetCount()) model.GetAt(model.GetCount() - 1)->Write(out);
  std::string text;
  for (const std::string& l : out.GetLines()) text += l;
  return text;
}

TEST(EditCommands, RulesFollowTheSelectionAndCopyPastesIntoAnotherDocument) {
  REQUIRE_GUI();
  CQuorvelDoc first;
  first.OnNewDocument();
  AddLine(first);
  std::unique_ptr<CCommandMap> commands = MakeDocumentCommands(first, nullptr);
  ASSERT_NE(TheClipboardPort(), nullptr);
  for (int id : {kCopy, kErase, kMoveRight}) EXPECT_FALSE(commands->QueryCommand(id).enabled) << id;
  ASSERT_TRUE(commands->QueryCommand(kSelectAll).enabled);
  commands->RunCommand(kSelectAll);
  CQvFile& model = *first.GetActiveModel();
  ASSERT_EQ(model.GetSelectedCount(), model.GetCount());
  model.SelectOnly(static_cast<int32_t>(model.GetCount() - 1));  // the line
  for (int id : {kCopy, kErase, kMoveRight}) EXPECT_TRUE(commands->QueryCommand(id).enabled) << id;
  commands->RunCommand(kCopy);
  PumpEvents();

  // What the desktop sees.
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTextDataObject data;
  ASSERT_TRUE(wxTheClipboard->GetData(data));
  wxTheClipboard->Close();
  EXPECT_EQ(data.GetText().utf8_string(), "2 4 0 0 0 10 0 0\n");

  // Another document, the copy buffer gone as in another process: Paste takes the clipboard.
  CQuorvelDoc second;
  second.OnNewDocument();
  CCopyBuffer::Clear();
  std::unique_ptr<CCommandMap> secondCommands = MakeDocumentCommands(second, nullptr);
  ASSERT_TRUE(secondCommands->QueryCommand(kPaste).enabled);
  secondCommands->RunCommand(kPaste);
  const size_t count = second.GetActiveModel()->GetCount();
  EXPECT_EQ(LastLine(*second.GetActiveModel()), "2 4 0 0 0 10 0 0\n");
  EXPECT_EQ(second.GetActiveModel()->GetSelectedIndex(-1), static_cast<int32_t>(count - 1));
  EXPECT_TRUE(second.IsModified());

  // Check marks of the settings commands.
  const int gridType = theSettings.GridType;
  secondCommands->RunCommand(kGridFine);
  EXPECT_TRUE(secondCommands->QueryCommand(kGridFine).checked);
  const bool coords = secondCommands->QueryCommand(kPaneCoordinates).checked;
  secondCommands->RunCommand(kPaneCoordinates);
  EXPECT_NE(secondCommands->QueryCommand(kPaneCoordinates).checked, coords);
  secondCommands->RunCommand(kPaneCoordinates);
  theSettings.GridType = gridType;
  CCopyBuffer::Clear();
}

}  // namespace
