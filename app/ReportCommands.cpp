#include "app/ReportCommands.h"

#include <wx/app.h>

#include "app/CommandMap.h"
#include "config/ColorTable.h"
#include "dialogs/RepPiecesDlg.h"
#include "document/QuorvelDoc.h"

namespace {
namespace id {
constexpr int kPartsReport = 32829;
constexpr int kSavePartsList = 32869;
constexpr int kScanParts = 32865;
constexpr int kCacheFlush = 32976;
constexpr int kCacheReset = 32977;
}  // namespace id

void RunPartsReport(CQuorvelDoc& doc) {
  CColorTable* colors = doc.GetColorTable();
  CRepPiecesDlg dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, doc.GetProject(),
                       colors ? colors->GetEntries() : nullptr, doc.Host());
  dialog.ShowModal();
}
}  // namespace

void BindReportCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  auto parts = [&doc] { return EnabledIf(doc.CanReportParts()); };
  commands.Set(id::kPartsReport, [&doc] { RunPartsReport(doc); }, parts);
  commands.Set(id::kSavePartsList, [&doc] { RunPartsReport(doc); }, parts);
  commands.Set(id::kScanParts, [&doc] { doc.OnScanParts(); }, CCommandMap::Always);
  commands.Set(id::kCacheFlush, [&doc] { doc.OnFileCacheFlush(); }, CCommandMap::Always);
  commands.Set(id::kCacheReset, [&doc] { doc.OnFileCacheReset(); }, CCommandMap::Always);
}
