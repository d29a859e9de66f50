#pragma once
// The colour table the colour windows show: the active model's, installed by the program; without
// one (tests, no model open) the shared default table.
#include <functional>

#include "config/ColorTable.h"

using ColorTableSource = std::function<CColorTable*()>;
void SetColorTableSource(ColorTableSource source);
// The active model's table, or null when there is none.
CColorTable* GetActiveColorTable();
// Its 512 entries, or theDefaultColors.
ColorEntry* GetActiveTableEntries();
