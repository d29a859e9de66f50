// Copy, Cut, Erase, Duplicate, and Paste with the desktop clipboard.
//
// The copy buffer holds the copied elements; Copy and Cut also put them on the desktop clipboard
// as LDraw lines. Paste takes the clipboard's lines only when another program put them there (or
// the copy buffer went empty, as after an Undo): a copy made here pastes from the buffer, so
// nothing is lost to a reading and writing round.
#include <filesystem>
#include <string>

#include "document/ClipboardPort.h"
#include "document/QuorvelDoc.h"
#include "model/CopyBuffer.h"
#include "model/CopyBufferText.h"
#include "model/QvFile.h"

namespace {

// What this program last put on the clipboard (one document per run).
std::string g_lastPut;

void PublishCopyBuffer() {
  IClipboardPort* clipboard = TheClipboardPort();
  if (!clipboard) return;
  std::string text = CopyBufferToText();
  if (text.empty()) return;
  if (clipboard->PutText(text)) g_lastPut = std::move(text);
}

// Sub-files named in pasted lines are also looked for beside the open file.
std::string DocumentFolder(const std::string& path) {
  if (path.empty()) return {};
  return std::filesystem::path(path).parent_path().string();
}

}  // namespace

bool CQuorvelDoc::HasSelection() const { return m_activeModel && m_activeModel->GetSelectedCount() > 0; }

bool CQuorvelDoc::CanPasteAny() const {
  if (CanPaste()) return true;
  IClipboardPort* clipboard = TheClipboardPort();
  return m_activeModel && clipboard && clipboard->HasText();
}

int CQuorvelDoc::OnEditCopy() {
  if (!HasSelection()) return 0;
  m_activeModel->CopySelected();
  PublishCopyBuffer();
  return 1;
}

int CQuorvelDoc::OnEditCut() {
  if (!OnEditCopy()) return 0;
  m_activeModel->DeleteSelected();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_FULL);
  return 1;
}

int CQuorvelDoc::OnEditErase() {
  if (!HasSelection()) return 0;
  m_activeModel->DeleteSelected();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_FULL);
  return 1;
}

int CQuorvelDoc::OnEditDuplicate() {
  if (!HasSelection()) return 0;
  m_activeModel->CopySelected();
  return OnEditPaste();
}

int CQuorvelDoc::OnEditPasteAny() {
  if (!m_activeModel) return 0;
  IClipboardPort* clipboard = TheClipboardPort();
  std::string text;
  if (clipboard && clipboard->GetText(text) && (text != g_lastPut || !CanPaste()) && IsCopyBufferText(text)) {
    if (CopyBufferFromText(text, DocumentFolder(m_pathName))) g_lastPut = text;
  }
  return OnEditPaste();
}
