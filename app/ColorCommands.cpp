#include "app/ColorCommands.h"

#include "app/CommandMap.h"
#include "document/QuorvelDoc.h"

namespace {
constexpr int kColorCommand = 32879;
}  // namespace

void BindColorCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(kColorCommand, [&doc] { doc.OnEditColor(); }, [&doc] { return EnabledIf(doc.CanChooseColor()); });
}
