#include "dialogs/DlgSelModel.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>

#include "dialogs/WindowSizes.h"

namespace {
constexpr int kDialogId = 163;
constexpr int kListId = 1139;
constexpr const char* kSizeKey = "DLGSELMODEL";
}  // namespace

CDlgSelModel::CDlgSelModel(wxWindow* parent, const std::vector<std::string>& models)
    : wxDialog(parent, kDialogId, "Select Model", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "DlgSelModel") {
  m_list = new wxListCtrl(this, kListId, wxDefaultPosition, wxSize(300, 180), wxLC_REPORT | wxLC_SINGLE_SEL,
                          wxDefaultValidator, "Models");
  m_list->InsertColumn(0, "Name", wxLIST_FORMAT_LEFT, 260);
  for (size_t i = 0; i < models.size(); ++i) {
    long row = m_list->InsertItem(static_cast<long>(i), wxString::FromUTF8(models[i]));
    m_list->SetItemData(row, static_cast<long>(i));
  }
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_list, 1, wxALL | wxEXPAND, 5);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 5);
  SetSizer(top);
  SetSize(VisibleWindowRect(ReadWindowSize(kSizeKey)));
  // A double click chooses like OK.
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) {
    if (Validate() && TransferDataFromWindow()) EndModal(wxID_OK);
  });
}

CDlgSelModel::~CDlgSelModel() { WriteWindowSize(kSizeKey, GetScreenRect()); }

bool CDlgSelModel::TransferDataToWindow() {
  long row = m_chosenModel - 1;
  if (row >= 0 && row < m_list->GetItemCount()) {
    m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(row);
  }
  return true;
}

bool CDlgSelModel::TransferDataFromWindow() {
  long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  m_chosenModel = row < 0 ? 0 : static_cast<int>(m_list->GetItemData(row)) + 1;
  return true;
}
