#pragma once
// Stands in for a view that is not built yet (3-D view, line list, part tree, part browser): an
// empty pane with its name, so the frame's layout is complete and testable. Each is replaced by
// its real view class when that lands; the window names stay, tests and the layout find panes by them.
#include <wx/panel.h>

class CPanePlaceholder : public wxPanel {
 public:
  CPanePlaceholder(wxWindow* parent, const wxString& name, const wxString& title);

 private:
  void OnPaint(wxPaintEvent& event);

  wxString m_title;
  // The last zoom preset received (0x8002), -1 when none; the pane shows it.
  long m_lastZoom = -1;
};
