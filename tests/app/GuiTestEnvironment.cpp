#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "GuiTest.h"

namespace {
bool g_gui = false;

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE() << "wx assert at " << file.utf8_string() << ":" << line << " in " << func.utf8_string()
                << ": " << cond.utf8_string() << " " << msg.utf8_string();
}

// Find (Ctrl+F, or the frame's broadcast) opens the part tree's search dialog, which would wait
// for a user: unless a test answers it with a hook of its own, it is cancelled at once.
class CCancelSearchDialog : public wxModalDialogHook {
 public:
  int Enter(wxDialog* dialog) override { return dialog->GetName() == "SearchPartDlg" ? wxID_CANCEL : wxID_NONE; }
  void Exit(wxDialog*) override {}
};

class CTestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

class CGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    wxSetAssertHandler(FailOnAssert);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return;
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    wxApp::SetInstance(new CTestApp);
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    if (!wxEntryStart(argc, argv)) return;
    g_gui = wxTheApp && wxTheApp->CallOnInit();
    if (g_gui) m_cancelSearch.Register();
  }
  void TearDown() override {
    if (g_gui) {
      m_cancelSearch.Unregister();
      wxTheApp->OnExit();
      wxEntryCleanup();
    }
    g_gui = false;
  }

 private:
  CCancelSearchDialog m_cancelSearch;
};

[[maybe_unused]] ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new CGuiEnvironment);
}  // namespace

bool GuiAvailable() { return g_gui; }

void PumpEvents(int ms) {
  if (!g_gui) return;
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
    for (int i = 0; i < 10 && wxTheApp->ProcessIdle(); ++i) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
}
