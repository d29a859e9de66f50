#include "dialogs/HoseGeneratorDlg.h"

#include "config/Settings.h"

int CHoseGeneratorDlg::s_lastOutput = 3;

CHoseGeneratorDlg::CHoseGeneratorDlg(wxWindow* parent) : CGeneratorDlg(parent, 232, "Flexible Hose Generator") {
  m_params = HoseParams();
  m_params.part = "754.dat";
  m_output = s_lastOutput;
  struct Point {
    const char* label;
    CVector3* v;
    int ids[3];
  };
  const Point points[] = {
      {"Start point:", &m_params.start, {1000, 1004, 1008}},
      {"End point:", &m_params.end, {1002, 1006, 1010}},
      {"Start control point:", &m_params.startControl, {1001, 1005, 1009}},
      {"End control point:", &m_params.endControl, {1003, 1007, 1011}},
  };
  for (const Point& p : points) {
    AddReal(wxString(p.label) + " X", p.ids[0], p.v->x);
    AddReal(wxString(p.label) + " Y", p.ids[1], p.v->y);
    AddReal(wxString(p.label) + " Z", p.ids[2], p.v->z);
  }
  AddInt("Number of steps:", 1014, m_params.steps);
  AddText("Part:", 1013, m_params.part);
  AddText("First part:", 1015, m_params.firstPart);
  AddCheck("Draw line ", 1016, m_params.drawLine);
  Finish("Tolvo part");
}

void CHoseGeneratorDlg::Build(CGeneratorFile& file) const {
  // A part name that cannot be found while typing must not raise a message per keystroke.
  const int warnings = theSettings.ShowWarnings;
  theSettings.ShowWarnings = 0;
  file.BuildFlexHose(m_params.start, m_params.end, m_params.startControl, m_params.endControl, m_params.steps,
                     m_params.firstPart, m_params.part, m_params.drawLine);
  theSettings.ShowWarnings = warnings;
}
