#include "dialogs/ArrowGeneratorDlg.h"

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>

#include "dialogs/SpinRules.h"

namespace {
constexpr int kTypeId = 1001;
constexpr int kSectionIds[3] = {1016, 1017, 1018};
constexpr int kL2Ids[2] = {1022, 1419};
constexpr int kRadiusIds[2] = {1024, 1420};
}  // namespace

using spin_rules::KeepNotNegative;

CArrowGenerator::CArrowGenerator(wxWindow* parent) : CGeneratorDlg(parent, 233, "Arrow Generator") {
  m_params.w1 = 10;
  m_params.l1 = 12;
  m_params.xDistance = 3;
  m_params.indicatorType = 1;
  m_params.sections = 2;
  m_params.w2 = 4;
  m_params.l2 = 40;
  m_params.radius = 30;
  AddReal("Wide (W1):", 1366, m_params.w1, 1423, 1,
          [this](double v, double) { return std::max({v, 0.0, m_params.w2}); });
  AddReal("Length (L1):", 1416, m_params.l1, 1422, 1, KeepNotNegative);
  AddReal("X Distance:", 1417, m_params.xDistance, 1421, 1, KeepNotNegative);
  // Colour numbers typed as numbers.
  AddInt("Color:", 1427, m_pointerColor);
  Grid()->Add(new wxStaticText(this, wxID_ANY, "Type:"), 0, wxALIGN_CENTER_VERTICAL);
  auto* type = new wxChoice(this, kTypeId);
  type->Append("None");
  type->Append("Straight");
  type->Append("Circle");
  Grid()->Add(type, 1, wxEXPAND);
  Grid()->AddSpacer(0);
  type->Bind(wxEVT_CHOICE, [this, type](wxCommandEvent&) {
    m_params.indicatorType = std::max(type->GetSelection(), 0);
    ShowType();
    OnParamChanged();
  });
  Grid()->Add(new wxStaticText(this, wxID_ANY, "Sections:"), 0, wxALIGN_CENTER_VERTICAL);
  auto* sections = new wxBoxSizer(wxHORIZONTAL);
  for (int i = 0; i < 3; ++i) {
    auto* radio = new wxRadioButton(this, kSectionIds[i], wxString::Format("%d", i + 1), wxDefaultPosition,
                                    wxDefaultSize, i == 0 ? long{wxRB_GROUP} : 0L);
    sections->Add(radio, 0, wxRIGHT, 6);
    radio->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) {
      m_params.sections = i;
      OnParamChanged();
    });
  }
  Grid()->Add(sections);
  Grid()->AddSpacer(0);
  AddInt("Color:", 1428, m_indicatorColor);
  AddReal("Wide (W2):", 1025, m_params.w2, 1418, 1,
          [this](double v, double) { return std::clamp(v, 0.0, std::max(m_params.w1, 0.0)); });
  AddReal("Length (L2):", 1022, m_params.l2, 1419, 1, KeepNotNegative);
  AddReal("Radius (R):", 1024, m_params.radius, 1420, 1,
          [this](double v, double) { return std::max({v, 0.0, (m_params.w1 + m_params.w2) / 2}); });
  Finish("Plandor part");
}

bool CArrowGenerator::TransferDataToWindow() {
  m_pointerColor = static_cast<int32_t>(m_params.pointerColor);
  m_indicatorColor = static_cast<int32_t>(m_params.indicatorColor);
  if (auto* type = dynamic_cast<wxChoice*>(FindWindow(kTypeId))) type->SetSelection(m_params.indicatorType);
  for (int i = 0; i < 3; ++i)
    if (auto* radio = dynamic_cast<wxRadioButton*>(FindWindow(kSectionIds[i]))) radio->SetValue(i == m_params.sections);
  ShowType();
  return CGeneratorDlg::TransferDataToWindow();
}

void CArrowGenerator::ShowType() {
  const int32_t type = m_params.indicatorType;
  for (int id : kSectionIds)
    if (wxWindow* w = FindWindow(id)) w->Enable(type == 2);
  for (int id : kRadiusIds)
    if (wxWindow* w = FindWindow(id)) w->Enable(type == 2);
  for (int id : kL2Ids)
    if (wxWindow* w = FindWindow(id)) w->Enable(type == 1);
}

bool CArrowGenerator::ParamsValid() const {
  ArrowParams p = m_params;
  if (m_pointerColor < 0 || m_indicatorColor < 0) return false;
  p.pointerColor = static_cast<uint32_t>(m_pointerColor);
  p.indicatorColor = static_cast<uint32_t>(m_indicatorColor);
  if (!IsValid(p) || p.w1 <= 0 || p.w2 <= 0 || p.w2 > p.w1 || p.l1 <= 0) return false;
  if (p.w1 - p.w2 < 0.00001) return p.xDistance == 0;
  if (p.xDistance < 0) return false;
  // The pointer's slope may not be flatter than the step from W2 to W1 over the X distance.
  if (std::atan(2 * (p.l1 + p.xDistance) / p.w1) < std::atan(2 * p.xDistance / (p.w1 - p.w2))) return false;
  if (p.indicatorType == 1 && p.l2 <= 0) return false;
  if (p.indicatorType == 2 && p.radius < (p.w1 + p.w2) / 2) return false;
  return true;
}

void CArrowGenerator::Accepted() {
  m_params.pointerColor = static_cast<uint32_t>(m_pointerColor);
  m_params.indicatorColor = static_cast<uint32_t>(m_indicatorColor);
}

void CArrowGenerator::Build(CGeneratorFile& file) const {
  file.AddArrowGeometry(m_params.indicatorType, m_params.w1, m_params.l1, m_params.xDistance,
                        static_cast<uint32_t>(std::max(m_pointerColor, 0)), m_params.w2, m_params.l2, m_params.radius,
                        static_cast<uint32_t>(std::max(m_indicatorColor, 0)), m_params.sections);
}
