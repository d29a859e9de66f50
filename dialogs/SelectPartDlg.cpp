#include "dialogs/SelectPartDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <strings.h>

#include "config/StringUtils.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 146;
constexpr int kListId = 1069;
constexpr int kCustomId = 1144;
constexpr int kCustomEditId = 1145;
constexpr int kBrowseId = 1146;
int theSortColumn = 0;

const char* Text(const CPartList& list, PartHandle h, int column) {
  const char* t = column == 0 ? list.GetFileName(h) : list.GetDescription(h);
  return t ? t : "";
}
}  // namespace

std::vector<PartHandle> ChooserRows(const CPartList& list, int sortColumn) {
  std::vector<PartHandle> rows;
  for (int category : {kLibraryParts, kLibraryModels, kDocumentModels})
    for (unsigned i = 0; i < list.GetCount(category); ++i) rows.push_back(MakePartHandle(category, i));
  std::stable_sort(rows.begin(), rows.end(), [&](PartHandle a, PartHandle b) {
    return strcasecmp(Text(list, a, sortColumn), Text(list, b, sortColumn)) < 0;
  });
  return rows;
}

// Thousands of parts: the list asks for the texts of the rows it shows.
class CSelectPartDlg::CPartListCtrl : public wxListCtrl {
 public:
  CPartListCtrl(wxWindow* parent, const std::vector<PartHandle>& rows)
      : wxListCtrl(parent, kListId, wxDefaultPosition, wxSize(400, 300),
                   wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL, wxDefaultValidator, "PartList"),
        m_rows(rows) {}
  wxString OnGetItemText(long item, long column) const override {
    if (item < 0 || static_cast<size_t>(item) >= m_rows.size()) return {};
    return wxString::FromUTF8(Text(thePartList, m_rows[item], static_cast<int>(column)));
  }

 private:
  const std::vector<PartHandle>& m_rows;
};

int CSelectPartDlg::SortColumn() { return theSortColumn; }

CSelectPartDlg::CSelectPartDlg(wxWindow* parent)
    : wxDialog(parent, kDialogId, "Select Part", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "SelectPartDlg") {
  m_list = new CPartListCtrl(this, m_rows);
  const std::string columns = LoadResString(kStringPartColumns);
  m_list->AppendColumn(wxString::FromUTF8(GetSubString(columns, 0)), wxLIST_FORMAT_LEFT, 120);
  m_list->AppendColumn(wxString::FromUTF8(GetSubString(columns, 1)), wxLIST_FORMAT_LEFT, 250);
  m_customBox = new wxCheckBox(this, kCustomId, "&Custom Part:", wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "Custom");
  m_customEdit = new wxTextCtrl(this, kCustomEditId, wxEmptyString, wxDefaultPosition, wxSize(240, -1), 0,
                                wxDefaultValidator, "CustomFile");
  m_browse = new wxButton(this, kBrowseId, "&Browse...", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                          "Browse");
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(m_customBox, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  row->Add(m_customEdit, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  row->Add(m_browse, 0, wxALIGN_CENTER_VERTICAL);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_list, 1, wxALL | wxEXPAND, 10);
  top->Add(row, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  m_customBox->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { EnableCustom(); });
  m_browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
  m_list->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& e) {
    long selected = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    PartHandle keep = selected >= 0 ? m_rows[selected] : 0;
    theSortColumn = e.GetColumn() == 1 ? 1 : 0;
    Fill(keep);
  });
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) {
    if (Validate() && TransferDataFromWindow()) EndModal(wxID_OK);
  });
  CentreOnParent();
}

void CSelectPartDlg::Fill(PartHandle select) {
  m_rows = ChooserRows(thePartList, theSortColumn);
  m_list->SetItemCount(static_cast<long>(m_rows.size()));
  m_list->Refresh();
  if (m_rows.empty()) return;
  auto it = std::find(m_rows.begin(), m_rows.end(), select);
  const long row = it == m_rows.end() ? 0 : static_cast<long>(it - m_rows.begin());
  long old = -1;
  while ((old = m_list->GetNextItem(old, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) != -1)
    m_list->SetItemState(old, 0, wxLIST_STATE_SELECTED);
  m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  m_list->EnsureVisible(row);
}

void CSelectPartDlg::EnableCustom() {
  const bool on = m_customBox->GetValue();
  m_customEdit->Enable(on);
  m_browse->Enable(on);
}

bool CSelectPartDlg::TransferDataToWindow() {
  m_customBox->SetValue(m_custom);
  m_customEdit->ChangeValue(wxString::FromUTF8(m_customFile));
  EnableCustom();
  Fill(m_handle);
  return true;
}

bool CSelectPartDlg::TransferDataFromWindow() {
  m_handle = kNone;
  m_custom = m_customBox->GetValue();
  m_customFile = m_customEdit->GetValue().utf8_string();
  if (!m_custom) {
    long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row >= 0 && static_cast<size_t>(row) < m_rows.size()) m_handle = m_rows[row];
  }
  return true;
}

void CSelectPartDlg::OnBrowse() {
  const std::string title = GetSubString(LoadResString(kStringDialogTitles), 0);
  wxFileDialog dialog(this, wxString::FromUTF8(title), wxEmptyString, wxEmptyString,
                      "Model Files (*.dat,*.ldr)|*.dat;*.DAT;*.ldr;*.LDR|Multipart Files (*.mpd)|*.mpd;*.MPD",
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  m_customFile = dialog.GetPath().utf8_string();
  m_customEdit->ChangeValue(wxString::FromUTF8(m_customFile));
}
