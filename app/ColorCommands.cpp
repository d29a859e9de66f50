#include "app/ColorCommands.h"

#include "app/CommandMap.h"
#include "app/DocumentHost.h"
#include "config/ColorSource.h"
#include "document/QuorvelDoc.h"

namespace {
constexpr int kColorCommand = 32879;
}  // namespace

void BindColorCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  // Through the program's document, not this one: a command map can outlive a test's document.
  SetColorTableSource([] { return theDocument ? theDocument->GetColorTable() : nullptr; });
  commands.Set(kColorCommand, [&doc] { doc.OnEditColor(); }, [&doc] { return EnabledIf(doc.CanChooseColor()); });
}
