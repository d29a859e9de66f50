#include "dialogs/RotationGenDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/numdlg.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "config/Settings.h"
#include "dialogs/GeneratorProgress.h"
#include "dialogs/ModelPreview.h"
#include "dialogs/RotModEdit.h"
#include "model/GeneratorSink.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
const wxString kSizes[] = {"1 x 1", "1 x 2", "2 x 2", "4 x 2"};
}

CRotationGenDlg::CRotationGenDlg(wxWindow* parent, const ColorEntry* colors)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(LoadResString(kStringRotationCaption)), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  m_editor = new CRotModEdit(this, 1365, m_model, colors);
  auto* side = new wxBoxSizer(wxVERTICAL);
  side->Add(new wxStaticText(this, wxID_ANY, "Color:"));
  m_color = new wxSpinCtrl(this, 1368, "15", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, kColorCount - 1, 15);
  side->Add(m_color, 0, wxBOTTOM, 6);
  side->Add(new wxStaticText(this, wxID_ANY, "Maximum brick size:"));
  m_size = new wxChoice(this, 1168, wxDefaultPosition, wxDefaultSize, 4, kSizes);
  m_size->SetSelection(0);
  side->Add(m_size, 0, wxBOTTOM, 6);
  m_plates = new wxCheckBox(this, 1172, "Use plates");
  m_grid = new wxCheckBox(this, 1367, "Grid");
  m_grid->SetValue(true);
  side->Add(m_plates, 0, wxBOTTOM, 4);
  side->Add(m_grid, 0, wxBOTTOM, 8);
  m_preview = new wxButton(this, 1369, "Preview");
  m_preview->Disable();
  side->Add(m_preview, 0, wxEXPAND | wxBOTTOM, 4);
  side->Add(new wxButton(this, 1313, "Clear"), 0, wxEXPAND | wxBOTTOM, 4);
  side->Add(new wxButton(this, 1370, "Size..."), 0, wxEXPAND | wxBOTTOM, 4);
  m_count = new wxStaticText(this, wxID_ANY, "");
  side->Add(m_count, 0, wxBOTTOM, 8);
  side->AddStretchSpacer();
  side->Add(new wxButton(this, wxID_OK, "OK"), 0, wxEXPAND | wxBOTTOM, 4);
  side->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxEXPAND);
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(side, 0, wxALL | wxEXPAND, 8);
  top->Add(m_editor, 1, wxTOP | wxRIGHT | wxBOTTOM | wxEXPAND, 10);
  m_modelView = new CModelPreview(this, 1121, wxSize(240, 240));
  m_modelView->SetModel(&m_target);
  top->Add(m_modelView, 1, wxTOP | wxRIGHT | wxBOTTOM | wxEXPAND, 10);
  SetSizerAndFit(top);
  SetMinSize(wxSize(660, 416));
  SetSize(wxSize(740, 460));

  auto regenerate = [this](wxCommandEvent&) {
    m_editor->SetPlates(m_plates->GetValue());
    Generate();
  };
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_preview->Enable(); }, 1365);
  Bind(wxEVT_BUTTON, regenerate, 1369);
  Bind(wxEVT_BUTTON, [this, regenerate](wxCommandEvent& e) {
    m_model.Clear();
    m_editor->Refresh();
    regenerate(e);
  }, 1313);
  Bind(wxEVT_BUTTON, &CRotationGenDlg::OnSize, this, 1370);
  Bind(wxEVT_BUTTON, &CRotationGenDlg::OnOK, this, wxID_OK);
  m_size->Bind(wxEVT_CHOICE, regenerate);
  m_plates->Bind(wxEVT_CHECKBOX, regenerate);
  m_grid->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { m_editor->SetGrid(m_grid->GetValue()); });
  m_color->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { m_editor->SetCurrentColor(m_color->GetValue()); });
}

bool CRotationGenDlg::Generate() {
  wxBusyCursor wait;
  CModelGeneratorSink sink(m_target);
  CLayeredBuilder::Result result;
  {
    CGeneratorProgress progress(this, m_model.GetHeight());
    result = m_model.Generate({m_size->GetSelection(), m_plates->GetValue()}, sink, progress.Callback());
  }
  m_count->SetLabel(wxString::Format("%zu lines", m_target.GetCount()));
  const bool ok = result == CLayeredBuilder::kDone;
  if (ok) {
    m_modelView->SetAngles(0, 0, 0);
    m_modelView->SetView(CMatrix3::Identity(), theDefaultViewMatrix);
    m_preview->Disable();
  } else {
    // The target was emptied: an old picture would show a model that is gone.
    m_modelView->Invalidate();
  }
  return ok;
}

void CRotationGenDlg::OnSize(wxCommandEvent& event) {
  // One range for the size and the editor, so the generator always revolves the editor's grid.
  const long radius = wxGetNumberFromUser("Radius:", "", "Size Rotation Model", m_model.GetRadius(),
                                          CRotationModel::kMinRadius, CRotationModel::kMaxRadius, this);
  if (radius < 0) return;
  const long height = wxGetNumberFromUser("Height:", "", "Size Rotation Model", m_model.GetHeight(),
                                          CRotationModel::kMinHeight, CRotationModel::kMaxHeight, this);
  if (height < 0) return;
  m_model.Resize(static_cast<int32_t>(radius), static_cast<int32_t>(height));
  m_editor->Refresh();
  m_editor->SetPlates(m_plates->GetValue());
  Generate();
  (void)event;
}

void CRotationGenDlg::OnOK(wxCommandEvent&) {
  if (m_preview->IsEnabled() && !Generate()) return;
  EndModal(wxID_OK);
}
