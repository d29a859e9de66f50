#include "app/SettingsCommand.h"

#include <wx/window.h>
#include <wx/weakref.h>

#include "app/MainFrame.h"
#include "app/StartUpDialogs.h"
#include "config/Settings.h"
#include "config/SettingsSheet.h"
#include "dialogs/MyPropertySheet.h"
#include "dialogs/SettingsPageGeneral.h"
#include "model/FileCache.h"

namespace {

class CSettingsSheetWindow : public ISettingsSheet {
 public:
  CSettingsSheetWindow(wxWindow* parent, CFileCache& cache) : m_parent(parent), m_cache(cache) {}
  bool Run(SettingsSheetValues& values) override {
    CMyPropertySheet sheet(m_parent.get());
    // The library's "Browse...": the start-up's question for the library folder.
    sheet.m_page1->m_browseBasePath = [](std::string& folder) { return AskForBasePath(folder); };
    sheet.SetValues(values);
    if (sheet.ShowModal() != wxID_OK) return false;
    values = sheet.GetValues();
    // Part files no model uses are read again from the library as it is now set.
    m_cache.Flush(1);
    return true;
  }

 private:
  wxWeakRef<wxWindow> m_parent;  // the frame may go before the sheet's installation
  CFileCache& m_cache;
};

}  // namespace

void InstallSettingsSheet(CMainFrame& frame) {
  static CSettingsSheetWindow* window = nullptr;
  delete window;
  window = new CSettingsSheetWindow(&frame, frame.Library().fileCache);
  SetSettingsSheet(window);
}

void RunSettingsCommand(CMainFrame& frame) {
  const std::string oldBase = theSettings.BasePath;
  const std::string oldSave = theSettings.SavePath;
  frame.OnSettingsApplied(theSettings.EditSettings(), oldBase, oldSave);
}
