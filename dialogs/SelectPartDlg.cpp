#include "dialogs/SelectPartDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "config/Settings.h"
#include "config/StringUtils.h"
#include "dialogs/ModelPreview.h"
#include "model/FileCache.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 146;

// A virtual list: the rows' texts are asked for as they are shown, which keeps tens of thousands
// of library parts quick.
class CPartChoiceListCtrl : public wxListCtrl {
 public:
  CPartChoiceListCtrl(wxWindow* parent, const CPartChoiceList& rows)
      : wxListCtrl(parent, CSelectPartDlg::kListId, wxDefaultPosition, wxSize(400, 300),
                   wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL),
        m_rows(rows) {}

  wxString OnGetItemText(long item, long column) const override {
    const size_t row = static_cast<size_t>(item);
    return wxString::FromUTF8(column == 0 ? m_rows.GetFileName(row) : m_rows.GetDescription(row));
  }

 private:
  const CPartChoiceList& m_rows;
};
}  // namespace

CSelectPartDlg::CSelectPartDlg(wxWindow* parent, PartHandle handle, const CLibraryContext& library)
    : wxDialog(parent, kDialogId, "Select Part", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "SelectPartDlg"),
      m_library(library),
      m_rows(library.partList),
      m_programList(&library.partList == &ProgramLibrary().partList) {
  m_list = new CPartChoiceListCtrl(this, m_rows);
  m_customBox = new wxCheckBox(this, kCustomId, "&Custom Part:");
  m_customEdit = new wxTextCtrl(this, kCustomFileId, "", wxDefaultPosition, wxSize(300, -1));
  m_browse = new wxButton(this, kBrowseId, "Browse...");
  m_preview = new CModelPreview(this, wxID_ANY, wxSize(200, 200));
  m_preview->SetMouseRotation(true);

  const std::string columns = LoadResString(kStringPartColumns);
  m_list->AppendColumn(wxString::FromUTF8(GetSubString(columns, 0)), wxLIST_FORMAT_LEFT, 120);
  m_list->AppendColumn(wxString::FromUTF8(GetSubString(columns, 1)), wxLIST_FORMAT_LEFT, 250);
  m_list->SetItemCount(static_cast<long>(m_rows.GetCount()));

  auto* upper = new wxBoxSizer(wxHORIZONTAL);
  upper->Add(m_list, 1, wxEXPAND | wxRIGHT, 5);
  upper->Add(m_preview, 0, wxALIGN_TOP);
  auto* custom = new wxBoxSizer(wxHORIZONTAL);
  custom->Add(m_customBox, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  custom->Add(m_customEdit, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  custom->Add(m_browse, 0, wxALIGN_CENTER_VERTICAL);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(upper, 1, wxALL | wxEXPAND, 5);
  top->Add(custom, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 5);
  SetSizerAndFit(top);

  m_list->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) { SortByColumn(event.GetColumn()); });
  m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) { ShowInPreview(event.GetIndex()); });
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { Accept(); });
  m_customBox->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { EnableCustom(); });
  m_browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Browse(); });
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);

  EnableCustom();
  const size_t row = m_rows.FindRow(handle);
  if (row != CPartChoiceList::kNoRow) SelectRow(static_cast<long>(row));
}

CSelectPartDlg::~CSelectPartDlg() {
  if (m_previewHandle) m_library.fileCache.ReleaseFile(m_previewHandle);
}

void CSelectPartDlg::SetCustom(bool custom, const std::string& file) {
  m_customBox->SetValue(custom);
  m_customEdit->SetValue(wxString::FromUTF8(file));
  EnableCustom();
}

void CSelectPartDlg::EnableCustom() {
  m_custom = m_customBox->GetValue();
  m_customFile = m_customEdit->GetValue().utf8_string();
  m_customEdit->Enable(m_custom);
  m_browse->Enable(m_custom);
}

long CSelectPartDlg::GetSelectedRow() const {
  return m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

void CSelectPartDlg::SelectRow(long row) {
  const long old = GetSelectedRow();
  if (old >= 0 && old != row) m_list->SetItemState(old, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  if (row < 0 || row >= m_list->GetItemCount()) return;
  m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  m_list->EnsureVisible(row);
  ShowInPreview(row);
}

void CSelectPartDlg::SortByColumn(int column) {
  const long selected = GetSelectedRow();
  const PartHandle handle = selected >= 0 ? m_rows.GetHandle(static_cast<size_t>(selected)) : 0;
  m_rows.SortBy(column);
  m_list->Refresh();
  if (handle) SelectRow(static_cast<long>(m_rows.FindRow(handle)));
}

void CSelectPartDlg::Browse() {
  // GTK matches patterns with regard to case: both spellings are listed.
  wxFileDialog dialog(this, wxString::FromUTF8(GetSubString(LoadResString(kStringDialogTitles), 0)), "", "",
                      "Model Files (*.dat,*.ldr)|*.dat;*.DAT;*.ldr;*.LDR|Multipart Files (*.mpd)|*.mpd;*.MPD",
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  m_customEdit->SetValue(dialog.GetPath());
  EnableCustom();
}

void CSelectPartDlg::ShowInPreview(long row) {
  const PartHandle handle = row >= 0 ? m_rows.GetHandle(static_cast<size_t>(row)) : 0;
  if (handle == m_previewHandle) return;
  // The cache keeps the file while the preview shows it. It knows the program's part list only.
  CQvFile* file = handle && m_programList ? m_library.fileCache.GetFile(handle) : nullptr;
  if (m_previewHandle) m_library.fileCache.ReleaseFile(m_previewHandle);
  m_previewHandle = file ? handle : 0;
  m_preview->SetModel(file);
  if (!file) {
    m_preview->Invalidate();
    return;
  }
  m_preview->SetAngles(0, 0, 0);
  m_preview->SetView(theDefaultViewMatrix, theDefaultViewMatrix);
}

void CSelectPartDlg::Accept() {
  EnableCustom();
  const long selected = GetSelectedRow();
  m_chosen = m_rows.Chosen(m_custom, selected < 0 ? CPartChoiceList::kNoRow : static_cast<size_t>(selected));
  if (IsModal())
    EndModal(wxID_OK);
  else
    SetReturnCode(wxID_OK);
}

bool RunPartChooser(wxWindow* parent, PartHandle& handle, const CLibraryContext& library) {
  CSelectPartDlg dialog(parent, handle, library);
  if (dialog.ShowModal() != wxID_OK) return false;
  if (dialog.IsCustom()) {
    if (dialog.GetCustomFile().empty()) return false;
    handle = library.partList.AddExtraEntry(dialog.GetCustomFile());
    return handle != 0;
  }
  if (!dialog.GetChosen()) return false;
  handle = *dialog.GetChosen();
  return true;
}
