#include "dialogs/FractalGenDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <ctime>

#include "config/Settings.h"
#include "dialogs/GeneratorProgress.h"
#include "dialogs/ModelPreview.h"
#include "model/GeneratorBrickTable.h"
#include "model/GeneratorSink.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kPreviewSide = 240;
const wxString kSizes[] = {"1 x 1", "1 x 2", "2 x 2", "4 x 2"};
}  // namespace

CFractalGenDlg::CFractalGenDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(LoadResString(kStringFractalCaption))) {
  auto* grid = new wxFlexGridSizer(2, 4, 8);
  grid->Add(new wxStaticText(this, wxID_ANY, "Width / Depth [Studs]:"), 0, wxALIGN_CENTER_VERTICAL);
  m_levels = new wxSlider(this, 1176, 4, CFractalLandscape::kMinLevels, CFractalLandscape::kMaxLevels,
                          wxDefaultPosition, wxSize(160, -1), wxSL_HORIZONTAL | wxSL_LABELS);
  grid->Add(m_levels);
  grid->Add(new wxStaticText(this, wxID_ANY, "Height [Plates / Bricks]:"), 0, wxALIGN_CENTER_VERTICAL);
  m_height = new wxSlider(this, 1178, 10, CFractalLandscape::kMinHeight, CFractalLandscape::kMaxHeight,
                          wxDefaultPosition, wxSize(160, -1), wxSL_HORIZONTAL | wxSL_LABELS);
  grid->Add(m_height);
  grid->Add(new wxStaticText(this, wxID_ANY, "Maximum brick size:"), 0, wxALIGN_CENTER_VERTICAL);
  m_size = new wxChoice(this, 1168, wxDefaultPosition, wxDefaultSize, 4, kSizes);
  m_size->SetSelection(0);
  grid->Add(m_size);
  auto* checks = new wxBoxSizer(wxHORIZONTAL);
  m_baseplate = new wxCheckBox(this, 1166, "Baseplate");
  m_baseplate->SetValue(true);
  m_colors = new wxCheckBox(this, 1171, "Use colors");
  m_colors->SetValue(true);
  m_plates = new wxCheckBox(this, 1172, "Use plates");
  for (auto* c : {m_baseplate, m_colors, m_plates}) checks->Add(c, 0, wxRIGHT, 10);
  m_landscapeView = new CModelPreview(this, 1169, wxSize(kPreviewSide, kPreviewSide));
  m_landscapeView->SetModel(&m_surface);
  m_modelView = new CModelPreview(this, 1170, wxSize(kPreviewSide, kPreviewSide));
  m_modelView->SetModel(&m_target);
  auto* views = new wxBoxSizer(wxHORIZONTAL);
  views->Add(m_landscapeView, 1, wxRIGHT | wxEXPAND, 8);
  views->Add(m_modelView, 1, wxEXPAND);
  m_count = new wxStaticText(this, wxID_ANY, "");
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, 1173, "Compute new landscape"), 0, wxRIGHT, 6);
  m_preview = new wxButton(this, 1179, "Preview");
  buttons->Add(m_preview, 0, wxRIGHT, 6);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 8);
  top->Add(checks, 0, wxLEFT | wxRIGHT, 8);
  top->Add(views, 1, wxALL | wxEXPAND, 8);
  top->Add(m_count, 0, wxLEFT | wxRIGHT | wxEXPAND, 8);
  top->Add(buttons, 0, wxALL | wxEXPAND, 8);
  SetSizerAndFit(top);

  // The slider recomputes once it is let go, not for every step of a drag.
  auto recompute = [this](wxScrollEvent&) { ComputeLandscape(static_cast<uint32_t>(std::time(nullptr))); };
  m_levels->Bind(wxEVT_SCROLL_CHANGED, recompute);
  m_height->Bind(wxEVT_SCROLL_CHANGED, recompute);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ComputeLandscape(static_cast<uint32_t>(std::time(nullptr))); }, 1173);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { BuildModel(); }, 1179);
  Bind(wxEVT_BUTTON, &CFractalGenDlg::OnOK, this, wxID_OK);
  for (int id : {1166, 1171, 1172}) Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { MarkUnbuilt(); }, id);
  m_size->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { MarkUnbuilt(); });
  ComputeLandscape(static_cast<uint32_t>(std::time(nullptr)));
}

void CFractalGenDlg::ReadControls() {
  CFractalLandscape::Options o;
  o.levels = m_levels->GetValue();
  o.height = m_height->GetValue();
  o.maxBrickSize = m_size->GetSelection();
  o.baseplate = m_baseplate->GetValue();
  o.useColors = m_colors->GetValue();
  o.usePlates = m_plates->GetValue();
  m_landscape.SetOptions(o);
}

void CFractalGenDlg::MarkUnbuilt() {
  ReadControls();
  m_built = false;
  m_preview->Enable();
  m_modelView->Invalidate();
}

void CFractalGenDlg::ComputeLandscape(uint32_t seed) {
  wxBusyCursor wait;
  ReadControls();
  m_landscape.Compute(seed);
  ShowField();
  MarkUnbuilt();
}

void CFractalGenDlg::ShowField() {
  m_surface.RemoveAll();
  m_landscape.BuildSurface(m_surface);
  m_landscapeView->SetAngles(0, 0, 0);
  m_landscapeView->SetView(CMatrix3::Identity(), theDefaultViewMatrix);
}

bool CFractalGenDlg::BuildModel() {
  ReadControls();
  CModelGeneratorSink sink(m_target);
  CLayeredBuilder::Result result;
  {
    CGeneratorProgress progress(this, m_landscape.GetBandCount());
    result = m_landscape.BuildModel(sink, progress.Callback());
  }
  m_built = result == CLayeredBuilder::kDone;
  m_preview->Enable(!m_built);
  if (m_built) {
    m_modelView->SetAngles(0, 0, 0);
    m_modelView->SetView(CMatrix3::Identity(), theDefaultViewMatrix);
  } else {
    m_modelView->Invalidate();
  }
  m_count->SetLabel(wxString::Format("%zu", m_target.GetCount()) + " lines");
  return m_built;
}

void CFractalGenDlg::OnOK(wxCommandEvent&) {
  if (!m_built && !BuildModel()) return;  // cancelled or failed: the dialog stays open
  EndModal(wxID_OK);
}
