#pragma once
// Points the library loader at a library folder for one test and puts everything back afterwards:
// the settings (base folder, the not-found question, fast rendering), the scan order, and an empty
// file cache before and after.
#include <string>

#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "tests/support/SettingsSnapshot.h"

class CLibraryScope {
 public:
  // An empty base gives a library with no folders; showWarnings decides the not-found question.
  explicit CLibraryScope(const std::string& base, int showWarnings = 1, int fastRender = 2)
      : m_order(theScanOrder) {
    theFileCache.Flush(0);
    theSettings.BasePath = base;
    theSettings.ShowWarnings = showWarnings;
    theSettings.FastRender = fastRender;
    theScanOrder.SetDefault();
  }
  ~CLibraryScope() {
    theFileCache.Flush(0);
    theScanOrder = m_order;
  }
  CLibraryScope(const CLibraryScope&) = delete;
  CLibraryScope& operator=(const CLibraryScope&) = delete;

 private:
  SettingsSnapshot m_settings;
  CScanOrder m_order;
};
