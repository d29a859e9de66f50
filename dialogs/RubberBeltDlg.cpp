#include "dialogs/RubberBeltDlg.h"

#include "dialogs/SpinRules.h"

int CrubberbeltDlg::s_lastOutput = 3;

using spin_rules::RefuseBelowOne;
using spin_rules::RefuseNegative;
using spin_rules::RefuseNotPositive;

CrubberbeltDlg::CrubberbeltDlg(wxWindow* parent) : CGeneratorDlg(parent, 102, "Rubber Belt Generator") {
  m_params.xDistance = 64;
  m_params.yDistance = -32;
  m_params.r1 = 15;
  m_params.r2 = 27.5;
  m_params.thickness = 5;
  m_params.precision = 16;
  m_params.useCylinder = 1;
  m_output = s_lastOutput;
  AddReal("X distance:", 1000, m_params.xDistance, 1396, 10, RefuseNegative);
  AddReal("Y distance:", 1001, m_params.yDistance, 1397, 10, RefuseNegative);
  AddReal("Radius 1 (R1):", 1002, m_params.r1, 1398, 10, RefuseNotPositive);
  AddReal("Radius 2 (R2):", 1003, m_params.r2, 1399, 10, RefuseNotPositive);
  AddReal("Thickness (E):", 1007, m_params.thickness, 1400, 1, RefuseNegative);
  AddInt("Precision:", 1015, m_params.precision, 1403, 1, RefuseBelowOne);
  AddCheck("Use cylinder", 1019, m_params.useCylinder);
  Finish("Plandor part");
}

void CrubberbeltDlg::Build(CGeneratorFile& file) const {
  file.BuildRubberBelt(m_params.xDistance, m_params.yDistance, m_params.r1, m_params.r2, m_params.thickness,
                       m_params.precision, m_params.useCylinder);
}
