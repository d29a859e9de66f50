#include "config/BasePathCheck.h"

#include <cstdio>
#include <cstdlib>

#include "config/PathResolver.h"
#include "platform/Folders.h"

int CheckBasePath(const std::string& path, std::string* normalised) {
  std::string folder = path;
  // A leading "~" is the home folder, as typed in a shell.
  const char* home = std::getenv("HOME");
  if ((folder == "~" || folder.rfind("~/", 0) == 0) && home && *home) {
    std::string base = home, rest = folder.substr(1);
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    folder = (base == "/" && !rest.empty()) ? rest : base + rest;
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty() || folder[0] != '/') return kBasePathInvalidInput;
  // The listings may predate a library that was just unpacked or chosen.
  CPathResolver resolver;
  std::string p = resolver.Resolve(folder, "P");
  std::string parts = resolver.Resolve(folder, "Parts");
  if (p.empty() || parts.empty() || !IsDirectory(p) || !IsDirectory(parts)) return kBasePathNoFolders;
  std::string stud = resolver.Resolve(folder, "P\\Stud.dat");
  FILE* f = stud.empty() ? nullptr : std::fopen(stud.c_str(), "rb");
  if (!f) return kBasePathNoLibrary;
  std::fclose(f);
  if (normalised) *normalised = folder;
  return kBasePathOk;
}

const char* BasePathStatusText(int code) {
  switch (code) {
    case kBasePathOk: return "OK!";
    case kBasePathInvalidInput: return "Invalid input (possibly drive missing)!";
    case kBasePathNoFolders: return "Invalid path (no Parts and/or P dir found)!";
    case kBasePathNoLibrary: return "LDraw/LEdit package not installed!";
    default: return "Unknown status (error)!";
  }
}
