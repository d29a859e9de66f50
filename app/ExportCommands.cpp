#include "app/ExportCommands.h"

#include "app/CommandMap.h"
#include "document/QuorvelDoc.h"

namespace {
namespace id {
constexpr int kExport = 32919;
}  // namespace id
}  // namespace

void BindExportCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(id::kExport, [&doc] { doc.OnFileExport(); }, [&doc] { return EnabledIf(doc.CanExport()); });
}
