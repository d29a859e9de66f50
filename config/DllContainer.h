#pragma once
// The program's binding of the image and language library (libtolvo.so). The library is loaded
// for the lifetime of one short-lived container and every export is looked up by name at each
// call. A missing library, a library that is too old or a missing export ends the program with
// a message and exit code 1: without it the program cannot work.
#include <cstdint>
#include <string>
#include <vector>

#include "imagelib/Tolvo.h"
#include "platform/DynamicLibrary.h"

// The oldest library version the program works with.
inline constexpr uint32_t kRequiredTolvoVersion = 0x00010002;
// The library's file name in the program folder.
inline constexpr const char* kTolvoLibraryName = "libtolvo.so";

class CDllContainer {
 public:
  // Loads the library from the program folder; tests name another file.
  CDllContainer();
  explicit CDllContainer(const std::string& libraryPath);
  virtual ~CDllContainer();
  CDllContainer(const CDllContainer&) = delete;
  CDllContainer& operator=(const CDllContainer&) = delete;

  // The program folder's libtolvo.so, unless another default was set (tests and tools whose
  // executable lives elsewhere point it at the library they were built with).
  static std::string DefaultLibraryPath();
  static void SetDefaultLibraryPath(const std::string& path);

  uint32_t GetDllVersion();
  // The usable language packs of the directory, for the settings' language step.
  int ScanCheckLangDlls(TolvoStringList* list, const std::string& directory, const std::string& requiredVersion,
                        const std::vector<std::string>& requiredIds, const std::string& logPath);
  int FreeStringList(TolvoStringList* list);
  void ImFree(imImage* image);
  // The library's picture loader: a new true-colour, top-down image owned by the caller (release
  // it with ImFree), or null.
  imImage* FiLoadFile(const std::string& path);
  // Writes and releases the image ("JPG", "GIF", "BMP"); 1 on success.
  int FiSaveFile(const std::string& path, imImage* image, const std::string& format);
  imImage* ImAlloc(uint16_t width, uint16_t height, uint16_t colors, uint16_t type);

 private:
  void Load(const std::string& path);
  // The export of that name; ends the program when it is missing.
  void* Export(const char* name);
  [[noreturn]] void Fail(unsigned stringId);

  CDynamicLibrary m_module;
};
