#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

bool CDynamicLibrary::Load(const std::string& path) {
  Free();
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!m_handle) {
    const char* e = dlerror();
    m_error = e ? e : "unknown error";
    return false;
  }
  m_error.clear();
  return true;
}

void* CDynamicLibrary::GetSymbol(const char* name) const {
  return m_handle ? dlsym(m_handle, name) : nullptr;
}

void CDynamicLibrary::Free() {
  if (m_handle) dlclose(m_handle);
  m_handle = nullptr;
}
