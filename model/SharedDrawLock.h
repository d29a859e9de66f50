#pragma once
// Several pictures (the four panes) may be drawn at the same time, each on its own thread, from
// the same files. Drawing mostly only reads them; the few things a drawing changes in a shared
// file (its cached box, its background picture, a part image being made) change under this lock.
// Each thread stamps part images of its own (model/ThreadPartImages.h).
#include <mutex>

std::mutex& SharedDrawMutex();
