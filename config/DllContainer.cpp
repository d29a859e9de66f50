#include "config/DllContainer.h"

#include <cstdlib>

#include "config/Tracer.h"
#include "platform/Folders.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

std::string& DefaultPathOverride() {
  static std::string path;
  return path;
}
}  // namespace

CDllContainer::CDllContainer() { Load(DefaultLibraryPath()); }

CDllContainer::CDllContainer(const std::string& libraryPath) { Load(libraryPath); }

CDllContainer::~CDllContainer() { m_module.Free(); }

std::string CDllContainer::DefaultLibraryPath() {
  if (!DefaultPathOverride().empty()) return DefaultPathOverride();
  return GetProgramDirectory() + kTolvoLibraryName;
}

void CDllContainer::SetDefaultLibraryPath(const std::string& path) { DefaultPathOverride() = path; }

void CDllContainer::Load(const std::string& path) {
  theTracer.Printf("Loading library '%s' now ... ", path.c_str());
  if (!m_module.Load(path)) {
    theTracer.Printf("error (%s)!\n", m_module.LastError().c_str());
    Fail(kStringLibraryNotFound);
  }
  theTracer.Printf("done.\n");
  uint32_t version = GetDllVersion();
  theTracer.Printf("Dll has version %08X\n", version);
  if (version < kRequiredTolvoVersion) {
    theTracer.Printf("ERROR: Dll version to low! Required %04X%04X!\n", kRequiredTolvoVersion >> 16,
                     kRequiredTolvoVersion & 0xFFFF);
    Fail(kStringLibraryInvalid);
  }
}

void CDllContainer::Fail(unsigned stringId) {
  m_module.Free();
  ShowMessageId(stringId, PromptButtons::Ok, PromptIcon::Stop);
  // Ends at once, as the fatal report does: no exit handlers (such as the settings' save) run
  // in a program that cannot go on. The log is flushed line by line already.
  std::_Exit(1);
}

void* CDllContainer::Export(const char* name) {
  void* symbol = m_module.GetSymbol(name);
  if (!symbol) {
    theTracer.Printf("ERROR: Tolvo.dll does not provide the required functions!\n");
    Fail(kStringLibraryInvalid);
  }
  return symbol;
}

uint32_t CDllContainer::GetDllVersion() {
  return reinterpret_cast<decltype(&::GetDllVersion)>(Export("GetDllVersion"))();
}

int CDllContainer::ScanCheckLangDlls(TolvoStringList* list, const std::string& directory,
                                     const std::string& requiredVersion,
                                     const std::vector<std::string>& requiredIds, const std::string& logPath) {
  auto scan = reinterpret_cast<decltype(&::ScanCheckLangDlls)>(Export("ScanCheckLangDlls"));
  std::vector<const char*> ids;
  ids.reserve(requiredIds.size());
  for (const std::string& id : requiredIds) ids.push_back(id.c_str());
  return scan(list, directory.c_str(), requiredVersion.c_str(), ids.data(), static_cast<uint32_t>(ids.size()),
              logPath.c_str());
}

int CDllContainer::FreeStringList(TolvoStringList* list) {
  return reinterpret_cast<decltype(&::FreeStringList)>(Export("FreeStringList"))(list);
}

void CDllContainer::ImFree(imImage* image) {
  reinterpret_cast<decltype(&::imFree)>(Export("imFree"))(image);
}

imImage* CDllContainer::FiLoadFile(const std::string& path) {
  auto load = reinterpret_cast<decltype(&::fiLoadFile)>(Export("fiLoadFile"));
  // A private copy: the library is free to change the text it is given.
  std::string copy = path;
  return load(copy.c_str());
}

int CDllContainer::FiSaveFile(const std::string& path, imImage* image, const std::string& format) {
  auto save = reinterpret_cast<decltype(&::fiSaveFile)>(Export("fiSaveFile"));
  std::string copy = path;
  return save(copy.c_str(), image, format.c_str());
}

imImage* CDllContainer::ImAlloc(uint16_t width, uint16_t height, uint16_t colors, uint16_t type) {
  return reinterpret_cast<decltype(&::imAlloc)>(Export("imAlloc"))(width, height, colors, type);
}
