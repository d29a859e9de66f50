#include "dialogs/WindowSizes.h"

#include <wx/display.h>

#include <algorithm>

#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace {
constexpr const char* kSection = "WindowSizes";
}

wxRect ReadWindowSize(const std::string& key) {
  CTokenReader reader(TheProfile().GetProfileString(kSection, key, "100 50 460 290"));
  int32_t v[4] = {};
  for (int32_t& x : v)
    if (!reader.NextInt32(x)) return wxRect(100, 50, 360, 240);
  if (v[2] <= v[0] || v[3] <= v[1]) return wxRect(100, 50, 360, 240);
  return wxRect(v[0], v[1], v[2] - v[0], v[3] - v[1]);
}

void WriteWindowSize(const std::string& key, const wxRect& rect) {
  TheProfile().WriteProfileString(kSection, key,
                                  StrPrintf("%d %d %d %d", rect.x, rect.y, rect.x + rect.width, rect.y + rect.height));
}

bool HasWindowSize(const std::string& key) { return TheProfile().HasEntry(kSection, key); }

wxRect VisibleWindowRect(const wxRect& stored) {
  // Enough of the title bar must lie on some screen to take hold of the window.
  const wxRect grip(stored.x, stored.y, std::min(stored.width, 60), 20);
  for (unsigned i = 0; i < wxDisplay::GetCount(); ++i)
    if (wxDisplay(i).GetClientArea().Intersects(grip)) return stored;
  return wxRect(100, 50, 360, 240);
}
