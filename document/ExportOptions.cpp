#include "document/ExportOptions.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "document/PostProcessor.h"
#include "platform/Folders.h"
#include "platform/Profile.h"

namespace {

std::string SystemTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string Key(const char* name, size_t n) { return name + std::to_string(n + 1); }

// A decimal prefix as C's strtoul reads it: blanks, a sign, digits; nothing readable is 0.
unsigned long ReadNumber(std::string_view text) {
  const std::string copy(text);
  return std::strtoul(copy.c_str(), nullptr, 10);
}

bool FolderOk(const std::string& folder) {
  return !folder.empty() && folder.back() == '/' && IsDirectory(folder);
}

}  // namespace

ExportOptions DefaultExportOptions() {
  ExportOptions o;
  o.exportPath = SystemTempFolder();
  o.logName = SystemTempFolder() + "TolvoExport.log";
  return o;
}

ExportOptions LoadExportOptions(CProfile& profile) {
  const ExportOptions d = DefaultExportOptions();
  ExportOptions o;
  auto flag = [&](const char* key, int def) { return profile.GetProfileInt(kExportSection, key, def) != 0 ? 1 : 0; };
  o.format = profile.GetProfileInt(kExportSection, "Format", d.format);
  if (o.format != 0 && o.format != 1) o.format = d.format;
  o.ignoreRotSteps = flag("IgnoreRotSteps", d.ignoreRotSteps);
  o.exportPath = profile.GetProfileString(kExportSection, "ExportPath", d.exportPath);
  o.rangeSelection = profile.GetProfileInt(kExportSection, "RangeSel", d.rangeSelection) == 1 ? 1 : 0;
  o.logName = profile.GetProfileString(kExportSection, "LogName", d.logName);
  o.enableLog = flag("EnableLog", d.enableLog);
  for (size_t k = 0; k < o.postProcessors.size(); ++k) {
    PostProcessorOptions& p = o.postProcessors[k];
    p.enabled = flag(Key("PPEnable", k).c_str(), 0);
    p.isCommand = flag(Key("PPIsCmd", k).c_str(), 0);
    p.path = profile.GetProfileString(kExportSection, Key("PPPath", k), "");
    p.parameters = profile.GetProfileString(kExportSection, Key("PPPara", k), "");
  }
  return o;
}

void SaveExportOptions(CProfile& profile, const ExportOptions& o) {
  profile.WriteProfileInt(kExportSection, "Format", o.format);
  profile.WriteProfileInt(kExportSection, "IgnoreRotSteps", o.ignoreRotSteps);
  profile.WriteProfileString(kExportSection, "ExportPath", o.exportPath);
  profile.WriteProfileInt(kExportSection, "RangeSel", o.rangeSelection);
  profile.WriteProfileString(kExportSection, "LogName", o.logName);
  profile.WriteProfileInt(kExportSection, "EnableLog", o.enableLog);
  for (size_t k = 0; k < o.postProcessors.size(); ++k) {
    const PostProcessorOptions& p = o.postProcessors[k];
    profile.WriteProfileInt(kExportSection, Key("PPEnable", k), p.enabled);
    profile.WriteProfileInt(kExportSection, Key("PPIsCmd", k), p.isCommand);
    profile.WriteProfileString(kExportSection, Key("PPPath", k), p.path);
    profile.WriteProfileString(kExportSection, Key("PPPara", k), p.parameters);
  }
  profile.Flush();
}

bool IsStepSelected(const std::string& range, unsigned long n) {
  std::string_view rest(range);
  while (!rest.empty()) {
    const size_t cut = rest.find(';');
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (part.empty()) continue;
    const size_t dash = part.find('-');
    if (dash == std::string_view::npos) {
      if (ReadNumber(part) == n) return true;
    } else {
      const unsigned long low = ReadNumber(part.substr(0, dash));
      const unsigned long high = ReadNumber(part.substr(dash + 1));
      if (n >= low && n <= high) return true;
    }
  }
  return false;
}

void ApplyChainRule(ExportOptions& options) {
  auto& p = options.postProcessors;
  p[1].enabled = p[0].enabled && p[1].enabled ? 1 : 0;
  p[2].enabled = p[1].enabled && p[2].enabled ? 1 : 0;
}

int CheckExportPath(const std::string& path, int kind) {
  if (kind == 0) return !path.empty() && FileExists(path) && !IsDirectory(path) ? 1 : 0;
  std::string folder, title, extension;
  SplitExportPath(path, folder, title, extension);
  switch (kind) {
    case 1: return FolderOk(folder) && title.empty() && extension.empty() ? 1 : 0;
    case 2: return FolderOk(folder) && extension.empty() ? 1 : 0;
    case 3: return FolderOk(folder) && !title.empty() ? 1 : 0;
    default: return 0;
  }
}

unsigned long CountSelectedSteps(const std::vector<int>& modelSteps, const std::vector<uint8_t>& modelSelection) {
  unsigned long count = 0;
  for (size_t i = 0; i < modelSteps.size() && i < modelSelection.size(); ++i)
    if (modelSelection[i] && modelSteps[i] > 0) count += static_cast<unsigned long>(modelSteps[i]);
  return count;
}

std::vector<uint8_t> MakeStepSelection(const ExportOptions& options, unsigned long count) {
  std::vector<uint8_t> flags(count, 0);
  bool any = false;
  for (unsigned long k = 1; k <= count; ++k) {
    flags[k - 1] = options.rangeSelection == 0 || IsStepSelected(options.stepRange, k) ? 1 : 0;
    any = any || flags[k - 1];
  }
  if (!any) flags.clear();
  return flags;
}

int ValidateExport(const ExportOptions& options, const std::vector<uint8_t>& modelSelection,
                   const std::vector<uint8_t>& stepSelection) {
  auto anySet = [](const std::vector<uint8_t>& v) {
    for (uint8_t b : v)
      if (b) return true;
    return false;
  };
  if (!anySet(modelSelection) || !anySet(stepSelection)) return 1;
  for (const PostProcessorOptions& p : options.postProcessors)
    if (p.enabled && p.path.empty()) return 2;
  return 0;
}

int CheckPostProcessorPath(const std::string& path) {
  if (CheckExportPath(path, 0)) return 1;
  if (path.empty() || path.find('/') != std::string::npos) return 0;
  const char* env = std::getenv("PATH");
  std::string_view dirs(env ? env : "/usr/bin:/bin");
  while (true) {
    const size_t colon = dirs.find(':');
    std::string dir(dirs.substr(0, colon));
    if (dir.empty()) dir = ".";
    if (CheckExportPath(dir + "/" + path, 0)) return 1;
    if (colon == std::string_view::npos) return 0;
    dirs.remove_prefix(colon + 1);
  }
}
