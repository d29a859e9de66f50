#pragma once
// The recent-file list of the File menu, kept in the profile section "Recent File List" as
// "File1" to "File10".
#include <string>
#include <vector>

class CProfile;

constexpr size_t kRecentFileCount = 10;

// The stored names in order, empty entries left out, at most kRecentFileCount.
std::vector<std::string> LoadRecentFiles(CProfile& profile);
// Writes the names (at most kRecentFileCount) and removes the keys of entries no longer there.
void SaveRecentFiles(CProfile& profile, const std::vector<std::string>& files);
