#pragma once
// A shared library loaded at run time (dlopen), its exports looked up by name.
#include <string>

class CDynamicLibrary {
 public:
  CDynamicLibrary() = default;
  ~CDynamicLibrary() { Free(); }
  CDynamicLibrary(const CDynamicLibrary&) = delete;
  CDynamicLibrary& operator=(const CDynamicLibrary&) = delete;

  // False when the library cannot be loaded; LastError then says why.
  bool Load(const std::string& path);
  // The export of that name, or null.
  void* GetSymbol(const char* name) const;
  void Free();
  const std::string& LastError() const { return m_error; }

 private:
  void* m_handle = nullptr;
  std::string m_error;
};
