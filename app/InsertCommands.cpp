#include "app/InsertCommands.h"

#include "app/CommandMap.h"
#include "app/GeneratorCommands.h"
#include "document/QuorvelDoc.h"

namespace {
struct InsertBinding {
  int id;
  InsertCommand what;
};

constexpr InsertBinding kInsertBindings[] = {
    {32784, InsertCommand::Step},     {32785, InsertCommand::Comment},    {32786, InsertCommand::RotStep},
    {32787, InsertCommand::RotStepEnd}, {32927, InsertCommand::Background}, {32939, InsertCommand::Clear},
    {32943, InsertCommand::BufExchg}, {32937, InsertCommand::Bfc},        {32929, InsertCommand::Line},
    {32930, InsertCommand::Triangle}, {32931, InsertCommand::Quad},       {32932, InsertCommand::CondLine},
};
}  // namespace

void BindInsertCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  for (const InsertBinding& b : kInsertBindings) {
    const InsertCommand what = b.what;
    commands.Set(b.id, [&doc, what] { doc.OnInsert(what); }, [&doc, what] { return EnabledIf(doc.CanInsert(what)); });
  }
  // Part...: the part chooser, enabled as the other Add commands are.
  commands.Set(32783, [&doc] { doc.OnAddPart(); },
               [&doc] { return EnabledIf(doc.CanInsert(InsertCommand::Step)); });
  BindGeneratorCommands(commands, doc);
}
