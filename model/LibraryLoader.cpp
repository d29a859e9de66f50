#include "model/LibraryLoader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "config/PathResolver.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "model/QvGfxPart.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "render/Dib.h"
#include "resources/StringIds.h"

namespace {

// Only regular files: a model naming "/dev/zero" or a folder must not hang or fail the read.
bool IsReadableFile(const std::string& path) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool IsAbsolute(std::string_view path) { return !path.empty() && (path[0] == '/' || path[0] == '\\'); }

// "stud" in any case, then '.' or a decimal digit.
bool IsStudName(std::string_view name) {
  return name.size() >= 5 && StartsWithNoCase(std::string(name.substr(0, 4)), "stud") &&
         (name[4] == '.' || (name[4] >= '0' && name[4] <= '9'));
}

// Folds the library file's line primitives into one mesh. The list is taken out and put back, so
// the file's own bookkeeping sees only whole elements.
void FoldIntoMesh(CQvFile& file) {
  std::vector<std::unique_ptr<CQvPart>> list;
  list.reserve(file.GetCount());
  while (file.GetCount()) list.push_back(file.RemoveAt(file.GetCount() - 1));
  std::reverse(list.begin(), list.end());
  CQvGfxPart::FoldPrimitives(list);
  for (auto& e : list) file.Append(std::move(e));
}

}  // namespace

std::string FindSubFile(const std::string& name, const std::string& modelFolder, bool& libraryFile) {
  libraryFile = true;
  const std::string& base = theSettings.BasePath;
  for (int i = 0; i < theScanOrder.GetCount(); ++i) {
    const char* entry = theScanOrder.GetPath(i);
    if (!entry) continue;
    uint32_t flags = theScanOrder.GetFlags(i);
    std::string relative = std::string(entry) + "\\" + name;
    std::string path;
    if (flags & CScanOrder::kAbsolute) {
      path = thePathResolver.ResolvePath("", relative);
    } else if (flags & CScanOrder::kModelRelative) {
      if (modelFolder.empty()) continue;
      path = thePathResolver.ResolvePath(modelFolder, relative);
    } else {
      if (base.empty()) continue;
      path = thePathResolver.Resolve(base, relative);
    }
    if (IsReadableFile(path)) return path;
  }
  // Not in the library: the name itself, absolute or beside the model.
  libraryFile = false;
  std::string path;
  if (IsAbsolute(name))
    path = thePathResolver.ResolvePath("", name);
  else if (!modelFolder.empty())
    path = thePathResolver.ResolvePath(modelFolder, name);
  return IsReadableFile(path) ? path : std::string();
}

int LoadPart(CQvFile& file, const std::string& name, const std::string& modelFolder) {
  bool library = false;
  std::string path = FindSubFile(name, modelFolder, library);
  file.libraryFile = library && !path.empty();
  if (path.empty()) {
    theTracer.Printf("ERROR: File '%s' was not found!\n", name.c_str());
    if (theSettings.ShowWarnings && ShowMessageId(kStringFileNotFound, PromptButtons::YesNo,
                                                  PromptIcon::Exclamation, name.c_str()) == PromptAnswer::No)
      return 0;
    // Going on: an empty stand-in, marked so that the reference still shows as not found.
    file.missing = true;
  }
  file.studFile = IsStudName(name);
  if (!path.empty()) {
    CFileTextHandler in;
    if (!in.Open(path, "r")) return 0;
    if (!file.ReadFrom(in, path, theSettings.ShowWarnings, &modelFolder)) return 0;
  }
  // The name as referenced; SetName would append ".ldr" to names without an extension.
  file.SetLoadedName(name);
  if (!file.explicitColors)
    file.smallPartName = StartsWithNoCase(name, "Axle") || StartsWithNoCase(name, "Stu");
  if (file.studFile) {
    // Helpers the library may lack: looked up quietly, never asked about or logged as errors.
    auto quiet = [&](const std::string& helper) -> CQvFile* {
      bool inLibrary = false;
      if (FindSubFile(helper, modelFolder, inLibrary).empty()) return nullptr;
      return theFileCache.GetFileByName(helper, modelFolder);
    };
    file.studLineFile = quiet("studline.dat");
    std::string variant = name;
    variant[3] = '2';
    file.studVariantFile = quiet(variant);
  }
  // Folding comes before the groups are resolved, so no group keeps a pointer to a folded element.
  if (file.libraryFile && theSettings.FastRender > 0) FoldIntoMesh(file);
  file.ResolveGroups();
  return 1;
}

int LoadBackground(CQvFile& file, CDib& picture, const std::string& path, const std::string& modelFolder) {
  std::string name = GetFileNamePart(path);
  if (name.empty()) return 0;
  if (name == file.backgroundName && picture.HasBlock()) return 1;
  std::string candidates[3] = {
      IsAbsolute(path)
          ? thePathResolver.ResolvePath("", path)
          : (modelFolder.empty() ? std::string() : thePathResolver.ResolvePath(modelFolder, path)),
      modelFolder.empty() ? std::string() : thePathResolver.ResolvePath(modelFolder, name),
      theSettings.BasePath.empty() ? std::string()
                                   : thePathResolver.Resolve(theSettings.BasePath, "Bitmap\\" + name)};
  FILE* stream = nullptr;
  for (const std::string& c : candidates)
    if (!c.empty() && (stream = std::fopen(c.c_str(), "rb"))) break;
  if (!stream) return 0;
  // The old picture goes, and with it its name: a failed read must not pass for loaded later.
  picture.Free();
  file.backgroundName.clear();
  int ok = picture.ReadFromFile(stream);
  std::fclose(stream);
  if (ok) file.backgroundName = name;
  return ok;
}

std::string GetFileNamePart(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

void SplitPath(std::string_view path, std::string& folder, std::string& title, std::string& extension) {
  folder.clear();
  title.clear();
  extension.clear();
  // Byte searches are safe in UTF-8: no multibyte sequence contains '\\', '/' or '.'. Both
  // slashes separate folders: models written on either kind of system name their files so.
  size_t slash = path.find_last_of("\\/");
  size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) extension = std::string(path.substr(dot + 1));
  size_t titleStart = 0;
  if (slash != std::string_view::npos) {
    folder = std::string(path.substr(0, slash + 1));
    titleStart = slash + 1;
  }
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
    title = std::string(path.substr(titleStart, dot - titleStart));
}
