#include "dialogs/DlgBasePath.h"

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "config/BasePathCheck.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

constexpr int kDialogId = 184;
constexpr int kPathId = 1198;
constexpr int kBrowseId = 1182;
constexpr int kStatusId = 1200;

bool ChooseWithDirDialog(wxWindow* parent, const std::string& start, std::string& chosen) {
  wxDirDialog dialog(parent, "Select LDraw base folder", wxString::FromUTF8(start),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return false;
  chosen = dialog.GetPath().utf8_string();
  return true;
}

}  // namespace

std::string ExistingFolderOf(const std::string& path) {
  std::filesystem::path folder(path);
  if (!folder.is_absolute()) return "/";
  std::error_code ec;
  while (folder != folder.root_path() && !std::filesystem::is_directory(folder, ec)) folder = folder.parent_path();
  return folder.string();
}

CDlgBasePath::CDlgBasePath(wxWindow* parent)
    : wxDialog(parent, kDialogId, "Plandor Base Path", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgBasePath") {
  m_chooseFolder = [this](const std::string& start, std::string& chosen) {
    return ChooseWithDirDialog(this, start, chosen);
  };
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Please enter or choose the folder of the LDraw part library."), 0,
           wxLEFT | wxRIGHT | wxTOP, 12);
  auto* grid = new wxFlexGridSizer(2, 3, 8, 8);
  grid->AddGrowableCol(1);
  grid->Add(new wxStaticText(this, wxID_ANY, "Base path:"), 0, wxALIGN_CENTER_VERTICAL);
  m_edit = new wxTextCtrl(this, kPathId, wxEmptyString, wxDefaultPosition, wxSize(420, -1), 0, wxDefaultValidator,
                          "BasePath");
  grid->Add(m_edit, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxButton(this, kBrowseId, "Browse..."), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxStaticText(this, wxID_ANY, "Status:"), 0, wxALIGN_CENTER_VERTICAL);
  m_statusCtrl = new wxTextCtrl(this, kStatusId, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY,
                                wxDefaultValidator, "Status");
  grid->Add(m_statusCtrl, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
  grid->AddSpacer(0);
  top->Add(grid, 0, wxALL | wxEXPAND, 12);
  auto* buttons = new wxStdDialogButtonSizer();
  auto* ok = new wxButton(this, wxID_OK);
  ok->SetDefault();  // Return in the path field means OK
  buttons->AddButton(ok);
  buttons->AddButton(new wxButton(this, wxID_CANCEL));
  buttons->Realize();
  top->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 12);
  SetSizerAndFit(top);
  m_edit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnTextChanged(); });
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); }, kBrowseId);
  CentreOnParent();
}

int CDlgBasePath::CheckBasePath(const std::string& path) {
  std::string normalised;
  const int code = ::CheckBasePath(path, &normalised);
  if (code == kBasePathOk) m_path = normalised;
  return code;
}

void CDlgBasePath::SetStatusText(int code) {
  m_status = BasePathStatusText(code);
  m_statusCtrl->ChangeValue(wxString::FromUTF8(m_status));
}

// Opening: the folder the caller gave, its check, and whether the dialog is mandatory.
bool CDlgBasePath::TransferDataToWindow() {
  m_edit->ChangeValue(wxString::FromUTF8(m_path));
  m_mandatory = CheckBasePath(m_path);
  SetStatusText(m_mandatory);
  return true;
}

bool CDlgBasePath::TransferDataFromWindow() {
  const std::string typed = m_edit->GetValue().utf8_string();
  const int code = CheckBasePath(typed);
  SetStatusText(code);
  if (code == kBasePathOk) return true;
  ThePrompt().Beep();
  ShowMessage(FillTextArgs(LoadResString(kStringBadLibraryFolder), {typed, m_status}), PromptButtons::Ok,
              PromptIcon::Exclamation);
  m_edit->SetFocus();
  return false;
}

void CDlgBasePath::OnTextChanged() {
  const int code = CheckBasePath(m_edit->GetValue().utf8_string());
  SetStatusText(code);
  if (code != kBasePathOk) ThePrompt().Beep();
}

void CDlgBasePath::OnBrowse() {
  std::string chosen;
  if (!m_chooseFolder || !m_chooseFolder(ExistingFolderOf(m_edit->GetValue().utf8_string()), chosen)) return;
  m_edit->ChangeValue(wxString::FromUTF8(chosen));
  OnTextChanged();
}
