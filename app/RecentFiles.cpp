#include "app/RecentFiles.h"

#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace {
constexpr const char* kSection = "Recent File List";
std::string KeyOf(size_t i) { return StrPrintf("File%zu", i + 1); }
}  // namespace

std::vector<std::string> LoadRecentFiles(CProfile& profile) {
  std::vector<std::string> files;
  for (size_t i = 0; i < kRecentFileCount; ++i) {
    std::string name = profile.GetProfileString(kSection, KeyOf(i), "");
    if (!name.empty()) files.push_back(name);
  }
  return files;
}

void SaveRecentFiles(CProfile& profile, const std::vector<std::string>& files) {
  for (size_t i = 0; i < kRecentFileCount; ++i) {
    if (i < files.size())
      profile.WriteProfileString(kSection, KeyOf(i), files[i]);
    else if (profile.HasEntry(kSection, KeyOf(i)))
      profile.DeleteKey(kSection, KeyOf(i));
  }
}
