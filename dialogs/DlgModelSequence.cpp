#include "dialogs/DlgModelSequence.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <algorithm>

#include "dialogs/WindowSizes.h"

namespace {
constexpr int kDialogId = 212;
constexpr int kListId = 1323;
constexpr int kUpId = 1324;
constexpr int kDownId = 1325;
constexpr const char* kSizeKey = "DLGMODELSEQ";
// Room around a name in its cell.
constexpr int kNamePadding = 16;
}  // namespace

bool MoveInOrder(std::vector<size_t>& order, long row, int step) {
  long other = row + step;
  if (row < 0 || other < 0 || static_cast<size_t>(row) >= order.size() || static_cast<size_t>(other) >= order.size())
    return false;
  std::swap(order[static_cast<size_t>(row)], order[static_cast<size_t>(other)]);
  return true;
}

CDlgModelSequence::CDlgModelSequence(wxWindow* parent, const std::vector<std::string>& models)
    : wxDialog(parent, kDialogId, "Model Sequence", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "DlgModelSequence"),
      m_models(models) {
  for (size_t i = 0; i < models.size(); ++i) m_order.push_back(i);
  // A small least size: the remembered rectangle decides how many rows show.
  m_list = new wxListCtrl(this, kListId, wxDefaultPosition, wxSize(120, 60), wxLC_REPORT | wxLC_SINGLE_SEL,
                          wxDefaultValidator, "Models");
  m_list->InsertColumn(0, "Name", wxLIST_FORMAT_LEFT, 240);
  for (size_t i = 0; i < models.size(); ++i) m_list->InsertItem(static_cast<long>(i), wxString::FromUTF8(models[i]));
  m_up = new wxButton(this, kUpId, "Move up");
  m_down = new wxButton(this, kDownId, "Move down");
  auto* side = new wxBoxSizer(wxVERTICAL);
  side->Add(m_up, 0, wxBOTTOM | wxEXPAND, 10);
  side->Add(m_down, 0, wxEXPAND);
  auto* middle = new wxBoxSizer(wxHORIZONTAL);
  middle->Add(m_list, 1, wxEXPAND | wxRIGHT, 5);
  middle->Add(side, 0);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(middle, 1, wxALL | wxEXPAND, 5);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 5);
  SetSizer(top);
  bool sizedBefore = HasWindowSize(kSizeKey);
  SetSize(VisibleWindowRect(ReadWindowSize(kSizeKey)));
  m_up->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Move(-1); });
  m_down->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Move(1); });
  m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { UpdateButtons(); });
  m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent&) { UpdateButtons(); });
  m_list->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    FitNameColumn();
  });
  UpdateButtons();
  Layout();
  if (!sizedBefore) GrowToTheNames();
  FitNameColumn();
}

int CDlgModelSequence::GetWidestName() const {
  int widest = 0;
  for (const std::string& name : m_models)
    widest = std::max(widest, m_list->GetTextExtent(wxString::FromUTF8(name)).x);
  return widest;
}

// The first time, the dialog opens large enough for the longest name and, as far as the screen
// allows, for every row; after that the user's rectangle holds.
void CDlgModelSequence::GrowToTheNames() {
  wxRect row;
  int rowHeight = 20;
  if (m_list->GetItemCount() > 0 && m_list->GetItemRect(0, row) && row.height > 0) rowHeight = row.height;
  int scrollBar = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
  wxSize list = m_list->GetSize(), size = GetSize();
  int wantWidth = size.x + GetWidestName() + kNamePadding + std::max(scrollBar, 0) + 8 - list.x;
  // The rows plus one for the column header.
  int wantHeight = size.y + rowHeight * (m_list->GetItemCount() + 1) + 8 - list.y;
  int display = wxDisplay::GetFromWindow(this);
  wxRect area = wxDisplay(display == wxNOT_FOUND ? 0u : unsigned(display)).GetClientArea();
  wantWidth = std::min(wantWidth, area.width * 9 / 10);
  wantHeight = std::min(wantHeight, area.height * 4 / 5);
  SetSize(std::max(size.x, wantWidth), std::max(size.y, wantHeight));
  Layout();
}

int CDlgModelSequence::GetNameColumnWidth() const { return m_list->GetColumnWidth(0); }

// The names show whole: the column fills the list and is never narrower than the longest name
// (the list scrolls sideways then).
void CDlgModelSequence::FitNameColumn() {
  m_list->SetColumnWidth(0, std::max(m_list->GetClientSize().x, GetWidestName() + kNamePadding));
}

// Kept also on Cancel.
CDlgModelSequence::~CDlgModelSequence() { WriteWindowSize(kSizeKey, GetScreenRect()); }

long CDlgModelSequence::GetSelectedRow() const { return m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }

void CDlgModelSequence::UpdateButtons() {
  long row = GetSelectedRow();
  m_up->Enable(row > 0);
  m_down->Enable(row >= 0 && row < m_list->GetItemCount() - 1);
}

void CDlgModelSequence::Move(int step) {
  long row = GetSelectedRow();
  if (!MoveInOrder(m_order, row, step)) return;
  long other = row + step;
  m_list->SetItemText(row, wxString::FromUTF8(m_models[m_order[static_cast<size_t>(row)]]));
  m_list->SetItemText(other, wxString::FromUTF8(m_models[m_order[static_cast<size_t>(other)]]));
  m_list->SetItemState(other, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  m_list->EnsureVisible(other);
  UpdateButtons();
}
