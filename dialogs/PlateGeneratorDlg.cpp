#include "dialogs/PlateGeneratorDlg.h"

#include "config/Settings.h"
#include "dialogs/ModelPreview.h"

namespace {
double AtLeastOne(double v, double) { return v <= 0 ? 1 : v; }
double AtLeastFour(double v, double) { return v < 4 ? 4 : v; }
}  // namespace

CPlateGenerator::CPlateGenerator(wxWindow* parent) : CGeneratorDlg(parent, 236, "Baseplate Generator") {
  m_params.width = 7;
  m_params.length = 5;
  m_params.height = 4;
  m_params.studs = 1;
  AddInt("Width (W):", 1366, m_params.width, 1423, 1, AtLeastOne);
  AddInt("Length (L):", 1416, m_params.length, 1422, 1, AtLeastOne);
  AddInt("Height (H):", 1178, m_params.height, 1421, 4, AtLeastFour);
  AddCheck("Studs", 1431, m_params.studs);
  Finish("Plandor part");
  // The plate shows in the program's own grey rather than the default preview colour.
  SetPreviewView(theDefaultViewMatrix);
  GetPreview()->SetColor(0x1A0A0A0);
}

void CPlateGenerator::Build(CGeneratorFile& file) const {
  file.BuildPlate(m_params.width, m_params.length, m_params.height, m_params.studs);
}
