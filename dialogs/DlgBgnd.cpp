#include "dialogs/DlgBgnd.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <memory>

#include "config/PathResolver.h"
#include "config/Settings.h"
#include "dialogs/BmpView.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 183;
constexpr int kPreviewId = 1121;
constexpr int kNameId = 1181;
constexpr int kBrowseId = 1182;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool Opens(const std::string& path) { return !path.empty() && File(std::fopen(path.c_str(), "rb")) != nullptr; }
}  // namespace

std::string FindBackgroundFile(const std::string& name, const std::string& basePath, CPathResolver& resolver) {
  if (name.empty()) return {};
  if (Opens(name)) return name;
  const size_t slash = name.find_last_of("\\/");
  const std::string filePart = slash == std::string::npos ? name : name.substr(slash + 1);
  if (filePart.empty()) return {};
  if (Opens(filePart)) return filePart;
  if (basePath.empty()) return {};
  std::string inLibrary = resolver.Resolve(basePath, "Bitmap/" + filePart);
  return Opens(inLibrary) ? inLibrary : std::string();
}

CDlgBgnd::CDlgBgnd(wxWindow* parent, const std::string& fileName, const CLibraryContext& library)
    : wxDialog(parent, kDialogId, "Background Image", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "DlgBgnd"),
      m_fileName(fileName),
      m_resolver(library.pathResolver) {
  m_preview = new CBmpView(this, kPreviewId, wxSize(240, 180));
  m_name = new wxTextCtrl(this, kNameId, wxEmptyString, wxDefaultPosition, wxSize(300, -1), wxTE_PROCESS_ENTER,
                          wxDefaultValidator, "FileName");
  auto* browse = new wxButton(this, kBrowseId, "&Browse...", wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "Browse");
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(m_name, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  row->Add(browse, 0, wxALIGN_CENTER_VERTICAL);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_preview, 1, wxALL | wxEXPAND, 10);
  top->Add(row, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
  m_name->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
    m_fileName = m_name->GetValue().utf8_string();
    LoadPreview();
  });
  CentreOnParent();
}

bool CDlgBgnd::TransferDataToWindow() {
  m_name->ChangeValue(wxString::FromUTF8(m_fileName));
  LoadPreview();
  return true;
}

bool CDlgBgnd::TransferDataFromWindow() {
  m_fileName = m_name->GetValue().utf8_string();
  return true;
}

void CDlgBgnd::LoadPreview() {
  m_preview->SetPicture(nullptr);
  m_picture.Free();
  if (m_fileName.empty()) return;
  const std::string found = FindBackgroundFile(m_fileName, theSettings.BasePath, m_resolver);
  if (found.empty()) {
    ShowMessage(LoadResString(kStringCannotOpen), PromptButtons::Ok, PromptIcon::Exclamation);
    return;
  }
  if (found != m_fileName) {
    m_fileName = found;
    m_name->ChangeValue(wxString::FromUTF8(found));
  }
  File file(std::fopen(found.c_str(), "rb"));
  if (!file || !m_picture.ReadFromFile(file.get())) {
    m_picture.Free();
    ShowMessage(LoadResString(kStringInvalidImage), PromptButtons::Ok, PromptIcon::Exclamation);
    return;
  }
  m_preview->SetPicture(&m_picture);
}

void CDlgBgnd::OnBrowse() {
  // GTK's filter patterns heed letter case.
  wxFileDialog dialog(this, "Open Picture", wxEmptyString, wxEmptyString, "Bitmap Files (*.bmp)|*.bmp;*.BMP;*.Bmp",
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  m_fileName = dialog.GetPath().utf8_string();
  m_name->ChangeValue(wxString::FromUTF8(m_fileName));
  LoadPreview();
}
