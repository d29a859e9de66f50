#include "dialogs/SpringDlg.h"

#include "dialogs/SpinRules.h"

int CSpring2datDlg::s_lastOutput = 3;

using spin_rules::KeepNotNegative;
using spin_rules::RefuseNotPositive;

CSpring2datDlg::CSpring2datDlg(wxWindow* parent) : CGeneratorDlg(parent, 231, "Spring Generator") {
  m_params.height = 20;
  m_params.revolutions = 3;
  m_params.diameter = 20;
  m_params.wire = 2;
  m_params.topRings = 1;
  m_params.bottomRings = 1;
  m_output = s_lastOutput;
  AddReal("Total Height (H):", 1000, m_params.height, 1396, 1, RefuseNotPositive);
  AddReal("Revolutions (R):", 1001, m_params.revolutions, 1397, 1, RefuseNotPositive);
  AddReal("Diameter (D):", 1002, m_params.diameter, 1398, 1, RefuseNotPositive);
  AddReal("Small diameter (S):", 1003, m_params.wire, 1399, 1, RefuseNotPositive);
  AddInt("Top (T):", 1008, m_params.topRings, 1394, 1, KeepNotNegative);
  AddInt("Bottom (B):", 1009, m_params.bottomRings, 1395, 1, KeepNotNegative);
  Finish("Plandor part");
}

void CSpring2datDlg::Build(CGeneratorFile& file) const {
  file.AddSpringGeometry(m_params.height, m_params.revolutions, m_params.diameter, m_params.wire,
                         m_params.topRings, m_params.bottomRings);
}
