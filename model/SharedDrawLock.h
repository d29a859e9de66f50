#pragma once
// Several pictures (the four panes) may be drawn at the same time, each on its own thread, from
// the same files. Drawing mostly only reads them; the few things a drawing changes in a shared
// file (its part images, its cached box, its background picture) change under this lock.
#include <mutex>

std::mutex& SharedDrawMutex();
