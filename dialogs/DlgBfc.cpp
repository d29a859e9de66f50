#include "dialogs/DlgBfc.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
constexpr int kDialogId = 186;
constexpr int kClippingId = 1240;
constexpr int kCertificationId = 1244;
constexpr int kWindingId = 1246;
constexpr int kInvertNextId = 1247;
constexpr int kUncertified = 1;

int Index(wxChoice* c) { return c->GetSelection() == wxNOT_FOUND ? 0 : c->GetSelection(); }
void ShowIndex(wxChoice* c, uint32_t index) { c->SetSelection(index < c->GetCount() ? static_cast<int>(index) : 0); }
}  // namespace

bool BfcOptionsEnabled(int certification) { return certification != kUncertified; }

CDlgBfc::CDlgBfc(wxWindow* parent, const BfcEdit& data)
    : wxDialog(parent, kDialogId, "BFC Statement Data", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgBfc"),
      m_data(data) {
  auto choice = [this](int id, std::initializer_list<const char*> texts, const char* name) {
    wxArrayString items;
    for (const char* t : texts) items.Add(t);
    return new wxChoice(this, id, wxDefaultPosition, wxSize(160, -1), items, 0, wxDefaultValidator, name);
  };
  m_certification = choice(kCertificationId, {"Not set", "UNCERTIFIED", "CERTIFIED"}, "Certification");
  m_clipping = choice(kClippingId, {"Not set", "NO CLIP", "CLIP"}, "Clipping");
  m_winding = choice(kWindingId, {"Not set", "CCW", "CW", "NOWIND"}, "Winding");
  m_invertNext = new wxCheckBox(this, kInvertNextId, "INVERTNEXT", wxDefaultPosition, wxDefaultSize, 0,
                                wxDefaultValidator, "InvertNext");
  auto* grid = new wxFlexGridSizer(2, 6, 8);
  grid->Add(new wxStaticText(this, wxID_ANY, "Certification:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(m_certification);
  grid->Add(new wxStaticText(this, wxID_ANY, "Clipping:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(m_clipping);
  grid->Add(new wxStaticText(this, wxID_ANY, "Winding:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(m_winding);
  grid->AddSpacer(0);
  grid->Add(m_invertNext);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  m_certification->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { EnableOptions(); });
  CentreOnParent();
}

void CDlgBfc::EnableOptions() {
  const bool on = BfcOptionsEnabled(Index(m_certification));
  m_clipping->Enable(on);
  m_winding->Enable(on);
  m_invertNext->Enable(on);
}

bool CDlgBfc::TransferDataToWindow() {
  ShowIndex(m_certification, m_data.certification);
  ShowIndex(m_clipping, m_data.clipping);
  ShowIndex(m_winding, m_data.winding);
  m_invertNext->SetValue(m_data.invertNext != 0);
  EnableOptions();
  return true;
}

bool CDlgBfc::TransferDataFromWindow() {
  m_data.certification = Index(m_certification);
  m_data.clipping = Index(m_clipping);
  m_data.winding = Index(m_winding);
  m_data.invertNext = m_invertNext->GetValue() ? 1 : 0;
  return true;
}
