#include "app/ToolkitEnvironment.h"

#include <cstdlib>

namespace {
bool theGlLeftOut = false;
}  // namespace

void LeaveOutToolkitGl() {
  if (std::getenv("GDK_GL")) return;
  theGlLeftOut = setenv("GDK_GL", "disable", 0) == 0;
}

void RestoreToolkitEnvironment() {
  if (!theGlLeftOut) return;
  unsetenv("GDK_GL");
  theGlLeftOut = false;
}
