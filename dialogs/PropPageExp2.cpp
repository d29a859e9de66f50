#include "dialogs/PropPageExp2.h"

#include <unistd.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
wxString Wx(const std::string& text) { return wxString::FromUTF8(text); }
std::string Std(const wxString& text) { return std::string(text.utf8_str()); }

// Control ids per post processor: Enabled, Command Line, Path, Browse, Parameters.
constexpr int kIds[3][5] = {{1287, 1288, 1271, 1286, 1270}, {1290, 1291, 1272, 1289, 1273},
                            {1293, 1294, 1274, 1292, 1275}};
}  // namespace

CPropPageExp2::CPropPageExp2(wxWindow* parent)
    : wxPanel(parent, 120, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
              Wx(LoadResString(kStringExportPagePostProc))) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  for (size_t k = 0; k < 3; ++k) {
    Controls& c = m_pp[k];
    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, wxString::Format("Post processor %zu", k + 1));
    auto* checks = new wxBoxSizer(wxHORIZONTAL);
    c.enabled = new wxCheckBox(this, kIds[k][0], "Enabled");
    c.commandLine = new wxCheckBox(this, kIds[k][1], "Command Line");
    checks->Add(c.enabled, 0, wxALL, 4);
    checks->Add(c.commandLine, 0, wxALL, 4);
    group->Add(checks);
    auto* grid = new wxFlexGridSizer(3, wxSize(4, 2));
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, "Path:"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    c.path = new wxTextCtrl(this, kIds[k][2], wxEmptyString, wxDefaultPosition, wxSize(320, -1));
    grid->Add(c.path, 1, wxEXPAND | wxALL, 2);
    c.browse = new wxButton(this, kIds[k][3], "Browse...");
    grid->Add(c.browse, 0, wxALL, 2);
    grid->Add(new wxStaticText(this, wxID_ANY, "Parameters:"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    c.parameters = new wxTextCtrl(this, kIds[k][4], wxEmptyString);
    grid->Add(c.parameters, 1, wxEXPAND | wxALL, 2);
    grid->AddSpacer(0);
    group->Add(grid, 0, wxEXPAND);
    top->Add(group, 0, wxEXPAND | wxALL, 6);
    c.enabled->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
      ReadFields(m_values);
      UpdateEnables();
    });
    c.browse->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) { OnBrowse(k); });
  }
  SetSizer(top);
}

void CPropPageExp2::SetValues(const ExportOptions& options) {
  m_values = options;
  for (size_t k = 0; k < 3; ++k) {
    const PostProcessorOptions& p = options.postProcessors[k];
    m_pp[k].enabled->SetValue(p.enabled != 0);
    m_pp[k].commandLine->SetValue(p.isCommand != 0);
    m_pp[k].path->ChangeValue(Wx(p.path));
    m_pp[k].parameters->ChangeValue(Wx(p.parameters));
  }
  ApplyChainRule(m_values);
  UpdateEnables();
}

void CPropPageExp2::UpdateEnables() {
  for (size_t k = 0; k < 3; ++k) {
    const bool on = m_values.postProcessors[k].enabled != 0;
    for (wxWindow* w : {static_cast<wxWindow*>(m_pp[k].commandLine), static_cast<wxWindow*>(m_pp[k].path),
                        static_cast<wxWindow*>(m_pp[k].browse), static_cast<wxWindow*>(m_pp[k].parameters)})
      w->Enable(on);
    if (k + 1 < 3) m_pp[k + 1].enabled->Enable(on);
  }
}

bool CPropPageExp2::ReadFields(ExportOptions& options) {
  for (size_t k = 0; k < 3; ++k) {
    PostProcessorOptions& p = options.postProcessors[k];
    p.enabled = m_pp[k].enabled->GetValue() ? 1 : 0;
    p.isCommand = m_pp[k].commandLine->GetValue() ? 1 : 0;
    p.path = Std(m_pp[k].path->GetValue());
    p.parameters = Std(m_pp[k].parameters->GetValue());
  }
  ApplyChainRule(options);
  if (&options != &m_values) m_values.postProcessors = options.postProcessors;
  for (size_t k = 0; k < 3; ++k) {
    const PostProcessorOptions& p = options.postProcessors[k];
    if (!p.enabled) continue;
    if (!CheckPostProcessorPath(p.path)) {
      m_pp[k].path->SetFocus();
      return false;
    }
  }
  return true;
}

void CPropPageExp2::OnBrowse(size_t k) {
  const std::string current = Std(m_pp[k].path->GetValue());
  const size_t slash = current.rfind('/');
  wxFileDialog dialog(this, Wx(LoadResString(kStringPostProcessorPathTitle)),
                      Wx(slash == std::string::npos ? std::string() : current.substr(0, slash)),
                      Wx(slash == std::string::npos ? current : current.substr(slash + 1)), "All files|*",
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  const std::string path = Std(dialog.GetPath());
  // Started directly, the file must be a program; the shell could still run a script.
  if (!m_pp[k].commandLine->GetValue() && ::access(path.c_str(), X_OK) != 0)
    ShowMessageId(kStringPostProcessorNotExecutable, PromptButtons::Ok, PromptIcon::Exclamation, path.c_str());
  m_pp[k].path->ChangeValue(Wx(path));
}
