// Reports and library maintenance: the measures behind the report dialogs, the part scan with
// the rewrite of Parts.lst, and the flush and reset of the part-file cache.
//
// The scan and the reset throw the whole part list away. The windows that hold part handles
// (part tree, browser) hear 0x8007 before that happens, and the project that is registered in the
// list goes first, so nothing ever looks up a handle of the old list in the new one.
#include "config/LdrException.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

bool HasElement(const CQvFile* model, bool (*wanted)(const CQvPart&)) {
  if (!model) return false;
  for (size_t i = 0; i < model->GetCount(); ++i)
    if (wanted(*model->GetAt(i))) return true;
  return false;
}

}  // namespace

bool CQuorvelDoc::CanReportParts() const {
  return HasElement(m_activeModel, [](const CQvPart& e) { return e.IsPartLike(); });
}

bool CQuorvelDoc::CanMeasure() const {
  return HasElement(m_activeModel, [](const CQvPart& e) { return e.IsLineOrPart(); });
}

bool CQuorvelDoc::CanListComments() const { return m_activeModel && m_activeModel->GetCount() > 0; }

int CQuorvelDoc::GetModelDimensions(double size[3]) const {
  if (!m_activeModel) return 0;
  CVector3 min(1e200, 1e200, 1e200), max(-1e200, -1e200, -1e200);
  m_activeModel->ExtendBoundingBoxAll(CVector3(), CMatrix3::Identity(), min, max);
  if (min.x > max.x) return 0;  // nothing has an extent
  size[0] = std::abs(max.x - min.x);
  size[1] = std::abs(max.y - min.y);
  size[2] = std::abs(max.z - min.z);
  return 1;
}

void CQuorvelDoc::OnFileCacheFlush() { m_library.fileCache.Flush(1); }

void CQuorvelDoc::ReplaceLibraryState(bool reloadPartList) {
  m_host->SendPrivateMessage(WM_PART_LIST_INVALID, 0, 0);
  OnNewDocument();
  m_library.fileCache.Flush(0);
  if (reloadPartList) {
    const std::string& base = theSettings.BasePath;
    m_library.partList.Clear();
    if (!m_library.partList.LoadPartsList(base)) {
      // Parts.lst is gone or unreadable (a failed write): keep what the scan found instead of an
      // empty list, and say so.
      theTracer.Printf("ERROR: Parts.lst could not be read again from '%s'\n", base.c_str());
      ShowMessageId(kStringPartListReloadFailed, PromptButtons::Ok, PromptIcon::Exclamation, base.c_str());
      int changed = 0;
      m_library.partList.ScanDirectory(base, "Parts", false, changed);
    }
    m_library.scanOrder.ScanShownDirs(m_library.partList, base);
    m_host->SendPrivateMessage(WM_PART_LIST_INVALID, 0, 0);
  }
  UpdateAllViews(HINT_FULL);
  SendModelChanged();
}

int CQuorvelDoc::OnScanParts() {
  if (!SaveModified()) return 0;
  const std::string& base = theSettings.BasePath;
  int changed = 0;
  if (!m_library.partList.ScanDirectory(base, "Parts", false, changed)) {
    ShowMessageId(kStringScanFailed, PromptButtons::Ok, PromptIcon::Stop);
    return 0;
  }
  if (!changed) {
    ShowMessageId(kStringNoNewParts, PromptButtons::Ok, PromptIcon::Information);
    return 0;
  }
  if (ShowMessageId(kStringWriteNewPartList, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes) {
    try {
      m_library.partList.SavePartsList(base);
    } catch (const CLdrException& e) {
      static constexpr unsigned kIds[3] = {kStringPartListCopyFailed, kStringPartListWriteRecovered,
                                           kStringPartListWriteLost};
      const int code = e.GetCode() < 0 || e.GetCode() > 2 ? 2 : e.GetCode();
      ShowMessageId(kIds[code], PromptButtons::Ok, PromptIcon::Exclamation);
    }
  }
  ReplaceLibraryState(true);
  return 1;
}

int CQuorvelDoc::OnFileCacheReset() {
  if (!SaveModified()) return 0;
  ReplaceLibraryState(false);
  return 1;
}
