#include "config/ScanOrder.h"

#include <cctype>

#include "config/IniFile.h"
#include "config/PartList.h"
#include "config/PathResolver.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "platform/Folders.h"

CScanOrder theScanOrder;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

void TrimLeft(std::string& s) {
  size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  s.erase(0, i);
}

// Leading separators (relative entries only) and trailing separators; then the quotes; then the
// separators again, so that a quoted path ends up like an unquoted one.
void CleanPath(std::string& path, bool relative) {
  for (int pass = 0; pass < 2; ++pass) {
    if (relative)
      while (!path.empty() && IsSeparator(path.front())) path.erase(0, 1);
    while (!path.empty() && IsSeparator(path.back()) && !(path.size() == 1 && !relative)) path.pop_back();
    if (pass == 0) {
      while (!path.empty() && path.front() == '"') path.erase(0, 1);
      while (!path.empty() && path.back() == '"') path.pop_back();
    }
  }
}

}  // namespace

void CScanOrder::Add(const std::string& path, uint32_t flags) {
  m_paths.push_back(path);
  m_flags.push_back(flags);
}

const char* CScanOrder::GetPath(int i) const {
  return i >= 0 && i < GetCount() ? m_paths[i].c_str() : nullptr;
}

uint32_t CScanOrder::GetFlags(int i) const { return i >= 0 && i < GetCount() ? m_flags[i] : 0; }

void CScanOrder::SetDefault() {
  theTracer.Printf("INFO: Using default scan order for parts ...\n");
  m_paths.clear();
  m_flags.clear();
  Add("P", 0);
  Add("Parts", 0);
  Add("Models", kShow);
}

int CScanOrder::LoadFromIni(const std::string& base, const std::string& iniPath) {
  CIniFile ini(iniPath.empty() ? FindProgramFile(CIniFile::kFileName) : iniPath);
  return LoadFromIni(base, ini);
}

int CScanOrder::LoadFromIni(const std::string& base, CIniFile& ini) {
  // The folders are checked against the disk as it is now, not against older cached listings.
  thePathResolver.Invalidate();
  theTracer.Printf("INFO: Looking for ScanOrder section in ini file ...\n");
  int n = ini.FindSection("SCAN_ORDER");
  if (n == 0) {
    SetDefault();
    EnsureMandatory();
    return 1;
  }
  theTracer.Printf("INFO: Loading ScanOrder section from ini file ...\n");
  m_paths.clear();
  m_flags.clear();
  std::string line;
  for (int i = 0; i < n && ini.NextLine(line); ++i) {
    std::string text = line;
    if (size_t eq = text.find('='); eq != std::string::npos) text.erase(0, eq + 1);
    TrimString(text);
    size_t gap = 0;
    while (gap < text.size() && !IsBlankOrTab(text[gap])) ++gap;
    if (gap == text.size()) {
      theTracer.Printf("ERROR: ScanOrder Entry '%s' ignored because: No seperator!\n", line.c_str());
      continue;
    }
    std::string keyword = text.substr(0, gap);
    uint32_t flags;
    if (EqualsNoCase(keyword, "SHOW")) {
      flags = kShow;
    } else if (EqualsNoCase(keyword, "HIDE")) {
      flags = 0;
    } else {
      theTracer.Printf("ERROR: ScanOrder Entry '%s' ignored because: Illegal keyword!\n", line.c_str());
      continue;
    }
    std::string path = text.substr(gap);
    TrimLeft(path);
    if (StartsWithNoCase(path, "<MODELDIR>")) {
      flags |= kModelRelative;
      path.erase(0, 10);
    } else if (StartsWithNoCase(path, "<LDRAWDIR>")) {
      path.erase(0, 10);
    } else {
      flags |= kAbsolute;
    }
    TrimLeft(path);
    CleanPath(path, !(flags & kAbsolute));
    path = ToForwardSlashes(path);
    // An entry that names no folder after its prefix is refused like a missing folder.
    if (path.empty() || !CheckPath(base, path, flags)) {
      theTracer.Printf("ERROR: ScanOrder Entry '%s' ignored because: Path does not exist!\n", line.c_str());
      continue;
    }
    Add(path, flags);
  }
  if (m_paths.empty()) {
    theTracer.Printf("ERROR: ScanOrder section in ini file had no usable information!\n");
    SetDefault();
  } else {
    theTracer.Printf("INFO: Loaded %ld entries from ScanOrder section in ini file.\n",
                     static_cast<long>(m_paths.size()));
  }
  EnsureMandatory();
  return 1;
}

// Only base-relative entries are the library's own folders: a model-relative or absolute folder
// that happens to be called "Parts" is the user's and keeps its flags.
void CScanOrder::EnsureMandatory() {
  bool hasP = false, hasParts = false, hasModels = false;
  for (size_t i = 0; i < m_paths.size(); ++i) {
    if (m_flags[i] & (kAbsolute | kModelRelative)) continue;
    if (EqualsNoCase(m_paths[i], "P")) {
      m_flags[i] = 0;
      hasP = true;
    } else if (EqualsNoCase(m_paths[i], "Parts")) {
      m_flags[i] = 0;
      hasParts = true;
    } else if (EqualsNoCase(m_paths[i], "Models")) {
      m_flags[i] = kShow;
      hasModels = true;
    }
  }
  if (!hasP) {
    theTracer.Printf("WARNING: Mandatory 'P' path missing, adding it now (search order might be wrong)!\n");
    Add("P", 0);
  }
  if (!hasParts) {
    theTracer.Printf(
        "WARNING: Mandatory 'Parts' path missing, adding it now (search order might be wrong)!\n");
    Add("Parts", 0);
  }
  if (!hasModels) {
    theTracer.Printf(
        "WARNING: Mandatory 'Model' path missing, adding it now (search order might be wrong)!\n");
    Add("Models", kShow);
  }
}

int CScanOrder::CheckPath(const std::string& base, const std::string& path, uint32_t flags) const {
  if (flags & kModelRelative) return 1;  // there is no model yet
  std::string real;
  if (flags & kAbsolute) {
    std::string p = ToForwardSlashes(path);
    if (p.empty() || p[0] != '/') return 0;  // never relative to the process's current folder
    real = thePathResolver.ResolvePath("/", p);
  } else {
    if (base.empty()) return 0;
    real = thePathResolver.Resolve(base, path);
  }
  return !real.empty() && IsDirectory(real) ? 1 : 0;
}

int CScanOrder::ScanShownDirs(CPartList& list, const std::string& base,
                              const std::string& modelFolder) const {
  int anyChanged = 0;
  for (size_t i = 0; i < m_paths.size(); ++i) {
    if (!(m_flags[i] & kShow)) continue;
    const std::string& path = m_paths[i];
    bool models = StartsWithNoCase(path, "Models");
    int changed = 0, ok;
    if (m_flags[i] & kModelRelative) {
      // Without a model there is no folder to scan; never fall back to the current folder.
      if (modelFolder.empty() || modelFolder[0] != '/') continue;
      std::string folder = thePathResolver.ResolvePath("/", modelFolder);
      if (folder.empty()) continue;
      ok = list.ScanDirectory(base, folder + "/" + path, models, changed, ScanFolderKind::Absolute);
    } else if (m_flags[i] & kAbsolute) {
      ok = list.ScanDirectory(base, path, models, changed, ScanFolderKind::Absolute);
    } else {
      ok = list.ScanDirectory(base, path, models, changed, ScanFolderKind::BaseRelative);
    }
    if (ok) anyChanged |= changed;
  }
  return anyChanged;
}

int CScanOrder::ScanShownDirs(const std::string& base) const { return ScanShownDirs(thePartList, base); }
