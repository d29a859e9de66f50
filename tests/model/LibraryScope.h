#pragma once
// Points the library loader at a library folder for one test and puts everything back afterwards:
// base folder, scan order, the not-found question, and an empty file cache before and after.
#include <string>

#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"

class CLibraryScope {
 public:
  // An empty base gives a library with no folders; showWarnings decides the not-found question.
  explicit CLibraryScope(const std::string& base, int showWarnings = 1, int fastRender = 2)
      : m_base(theSettings.BasePath),
        m_warnings(theSettings.ShowWarnings),
        m_fast(theSettings.FastRender),
        m_order(theScanOrder) {
    theFileCache.Flush(0);
    theSettings.BasePath = base;
    theSettings.ShowWarnings = showWarnings;
    theSettings.FastRender = fastRender;
    theScanOrder.SetDefault();
  }
  ~CLibraryScope() {
    theFileCache.Flush(0);
    theSettings.BasePath = m_base;
    theSettings.ShowWarnings = m_warnings;
    theSettings.FastRender = m_fast;
    theScanOrder = m_order;
  }
  CLibraryScope(const CLibraryScope&) = delete;
  CLibraryScope& operator=(const CLibraryScope&) = delete;

 private:
  std::string m_base;
  int m_warnings, m_fast;
  CScanOrder m_order;
};
