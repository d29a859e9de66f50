#include "dialogs/PropPageExp1.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
wxString Wx(const std::string& text) { return wxString::FromUTF8(text); }
std::string Std(const wxString& text) { return std::string(text.utf8_str()); }
}  // namespace

CPropPageExp1::CPropPageExp1(wxWindow* parent, const std::vector<std::string>& modelNames,
                             const std::vector<int>& modelSteps)
    : wxPanel(parent, 119, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
              Wx(LoadResString(kStringExportPageConfig))),
      m_modelSteps(modelSteps) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  auto* left = new wxBoxSizer(wxVERTICAL);
  left->Add(new wxStaticText(this, wxID_ANY, "Models:"), 0, wxALL, 4);
  m_models = new wxListBox(this, 1260, wxDefaultPosition, wxSize(180, 220), 0, nullptr, wxLB_EXTENDED);
  for (const std::string& name : modelNames) m_models->Append(Wx(name));
  for (unsigned i = 0; i < m_models->GetCount(); ++i) m_models->SetSelection(static_cast<int>(i));
  left->Add(m_models, 1, wxEXPAND | wxALL, 4);
  top->Add(left, 0, wxEXPAND | wxALL, 4);

  auto* right = new wxBoxSizer(wxVERTICAL);
  auto* formatRow = new wxBoxSizer(wxHORIZONTAL);
  formatRow->Add(new wxStaticText(this, wxID_ANY, "Export format:"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  wxArrayString formats;
  formats.Add("LDraw primitives");
  formats.Add("LDraw normal");
  m_format = new wxChoice(this, 1259, wxDefaultPosition, wxDefaultSize, formats);
  formatRow->Add(m_format, 1, wxALL, 4);
  right->Add(formatRow, 0, wxEXPAND);
  m_ignorePrevious = new wxCheckBox(this, 1267, "Ignore previous part indication");
  m_ignorePrevious->SetValue(true);
  m_ignorePrevious->Disable();
  right->Add(m_ignorePrevious, 0, wxALL, 4);
  m_ignoreRotSteps = new wxCheckBox(this, 1266, "Ignore rotation steps");
  right->Add(m_ignoreRotSteps, 0, wxALL, 4);

  right->Add(new wxStaticText(this, wxID_ANY, "Export path:"), 0, wxLEFT | wxTOP, 4);
  auto* pathRow = new wxBoxSizer(wxHORIZONTAL);
  m_exportPath = new wxTextCtrl(this, 1264, wxEmptyString, wxDefaultPosition, wxSize(260, -1));
  pathRow->Add(m_exportPath, 1, wxALL, 4);
  auto* browseFolder = new wxButton(this, 1265, "Browse...");
  pathRow->Add(browseFolder, 0, wxALL, 4);
  right->Add(pathRow, 0, wxEXPAND);

  auto* steps = new wxStaticBoxSizer(wxVERTICAL, this, "Steps");
  m_all = new wxRadioButton(this, 1262, "All", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  steps->Add(m_all, 0, wxALL, 4);
  auto* rangeRow = new wxBoxSizer(wxHORIZONTAL);
  m_range = new wxRadioButton(this, 1132, "Range:");
  rangeRow->Add(m_range, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  m_rangeText = new wxTextCtrl(this, 1263, wxEmptyString);
  rangeRow->Add(m_rangeText, 1, wxALL, 4);
  steps->Add(rangeRow, 0, wxEXPAND);
  right->Add(steps, 0, wxEXPAND | wxALL, 4);

  m_createLog = new wxCheckBox(this, 1283, "Create log file:");
  right->Add(m_createLog, 0, wxALL, 4);
  auto* logRow = new wxBoxSizer(wxHORIZONTAL);
  m_logName = new wxTextCtrl(this, 1284, wxEmptyString, wxDefaultPosition, wxSize(260, -1));
  logRow->Add(m_logName, 1, wxALL, 4);
  auto* browseLog = new wxButton(this, 1285, "Browse...");
  logRow->Add(browseLog, 0, wxALL, 4);
  right->Add(logRow, 0, wxEXPAND);
  top->Add(right, 1, wxEXPAND | wxALL, 4);
  SetSizer(top);

  m_models->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { UpdateRange(); });
  for (wxRadioButton* radio : {m_all, m_range})
    radio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
      UpdateEnables();
      UpdateRange();
    });
  m_createLog->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateEnables(); });
  browseFolder->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseFolder(); });
  browseLog->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseLog(); });
}

void CPropPageExp1::SetValues(const ExportOptions& o) {
  m_format->SetSelection(o.format == 0 ? 0 : 1);
  m_ignoreRotSteps->SetValue(o.ignoreRotSteps != 0);
  m_exportPath->ChangeValue(Wx(o.exportPath));
  m_all->SetValue(o.rangeSelection == 0);
  m_range->SetValue(o.rangeSelection != 0);
  m_createLog->SetValue(o.enableLog != 0);
  m_logName->ChangeValue(Wx(o.logName));
  UpdateEnables();
  UpdateRange();
}

unsigned long CPropPageExp1::StepCount() const {
  std::vector<uint8_t> selected(m_modelSteps.size(), 0);
  for (size_t i = 0; i < selected.size(); ++i) selected[i] = m_models->IsSelected(static_cast<int>(i)) ? 1 : 0;
  return CountSelectedSteps(m_modelSteps, selected);
}

void CPropPageExp1::UpdateRange() { m_rangeText->ChangeValue(wxString::Format("1-%lu", StepCount())); }

void CPropPageExp1::UpdateEnables() {
  m_rangeText->Enable(m_range->GetValue());
  m_logName->Enable(m_createLog->GetValue());
}

bool CPropPageExp1::ReadFields(ExportOptions& o, std::vector<uint8_t>& modelSelection,
                               std::vector<uint8_t>& stepSelection) {
  o.format = m_format->GetSelection() == 0 ? 0 : 1;
  o.ignoreRotSteps = m_ignoreRotSteps->GetValue() ? 1 : 0;
  o.exportPath = Std(m_exportPath->GetValue());
  o.rangeSelection = m_range->GetValue() ? 1 : 0;
  o.stepRange = Std(m_rangeText->GetValue());
  o.enableLog = m_createLog->GetValue() ? 1 : 0;
  o.logName = Std(m_logName->GetValue());
  if (!CheckExportPath(o.exportPath, 1)) {
    m_exportPath->SetFocus();
    return false;
  }
  if (o.enableLog && !CheckExportPath(o.logName, 3)) {
    m_logName->SetFocus();
    return false;
  }
  modelSelection.assign(m_modelSteps.size(), 0);
  bool any = false;
  for (size_t i = 0; i < modelSelection.size(); ++i) {
    modelSelection[i] = m_models->IsSelected(static_cast<int>(i)) ? 1 : 0;
    any = any || modelSelection[i];
  }
  if (!any) {
    m_models->SetFocus();
    return false;
  }
  stepSelection = MakeStepSelection(o, StepCount());
  if (stepSelection.empty()) {
    (o.rangeSelection ? static_cast<wxWindow*>(m_rangeText) : m_models)->SetFocus();
    return false;
  }
  return true;
}

void CPropPageExp1::OnBrowseFolder() {
  wxDirDialog dialog(this, Wx(LoadResString(kStringSelectExportFolder)), m_exportPath->GetValue(),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  std::string folder = Std(dialog.GetPath());
  if (folder.empty() || folder.back() != '/') folder += '/';
  m_exportPath->ChangeValue(Wx(folder));
}

void CPropPageExp1::OnBrowseLog() {
  const std::string current = Std(m_logName->GetValue());
  const size_t slash = current.rfind('/');
  wxFileDialog dialog(this, Wx(LoadResString(kStringExportLogFileTitle)),
                      Wx(slash == std::string::npos ? std::string() : current.substr(0, slash)),
                      Wx(slash == std::string::npos ? current : current.substr(slash + 1)),
                      "log files (*.log)|*.log|All files|*", wxFD_SAVE);
  if (dialog.ShowModal() != wxID_OK) return;
  std::string path = Std(dialog.GetPath());
  if (path.find('.', path.rfind('/') + 1) == std::string::npos) path += ".log";
  m_logName->ChangeValue(Wx(path));
}
