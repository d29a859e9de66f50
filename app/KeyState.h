#pragma once
// The keys that decide how a click selects, read from the desktop when the click arrives. GTK
// cannot report the Tab key's state, so the application follows its presses and releases.
#include "document/QuorvelDoc.h"

SelectKeys CurrentSelectKeys();
// Called by the application's event filter for every Tab press and release.
void SetTabKeyDown(bool down);
bool IsTabKeyDown();
