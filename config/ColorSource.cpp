#include "config/ColorSource.h"

namespace {
ColorTableSource& Source() {
  static ColorTableSource source;
  return source;
}
}  // namespace

void SetColorTableSource(ColorTableSource source) { Source() = std::move(source); }

CColorTable* GetActiveColorTable() { return Source() ? Source()() : nullptr; }

ColorEntry* GetActiveTableEntries() {
  CColorTable* table = GetActiveColorTable();
  return table ? table->GetEntries() : theDefaultColors;
}
