// The program's entry point. The editor window is not built yet: the program says so and ends.
#include <wx/app.h>

#include <cstdio>

class CPlandorApp : public wxApp {
 public:
  bool OnInit() override {
    std::fprintf(stderr, "Plandor: the editor window is not available in this version yet.\n");
    return false;
  }
};

wxIMPLEMENT_APP(CPlandorApp);
