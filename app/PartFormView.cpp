#include "app/PartFormView.h"

#include <wx/choice.h>
#include <wx/scrolbar.h>

#include <algorithm>

#include "app/PrivateEvents.h"
#include "app/StaticPart.h"
#include "config/PartList.h"

namespace {
constexpr int kMinSize = 20;
}

CPartFormView::CPartFormView(wxWindow* parent, const CLibraryContext& library)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "PartBrowser"), m_library(library) {
  m_groups = new wxChoice(this, 1109);
  m_grid = new CStaticPart(this, m_library);
  m_partBar = new wxScrollBar(this, 1117, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
  m_groupBar = new wxScrollBar(this, 1116, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
  m_grid->SetSizeSwitchedHandler([this] { UpdateScrollBars(); });
  Bind(wxEVT_SIZE, &CPartFormView::OnSize, this);
  m_groups->Bind(wxEVT_CHOICE, &CPartFormView::OnChoice, this);
  m_partBar->Bind(wxEVT_SCROLL_CHANGED, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_LINEUP, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_LINEDOWN, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_PAGEUP, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_PAGEDOWN, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_THUMBRELEASE, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_TOP, &CPartFormView::OnPartScroll, this);
  m_partBar->Bind(wxEVT_SCROLL_BOTTOM, &CPartFormView::OnPartScroll, this);
  m_groupBar->Bind(wxEVT_SCROLL_CHANGED, &CPartFormView::OnGroupScroll, this);
  for (const auto& type : {EVT_PLANDOR_SHOW_GROUP, EVT_PLANDOR_GROUPS_CHANGED, EVT_PLANDOR_FAVORITES_CHANGED,
                           EVT_PLANDOR_MODEL_CHANGED, EVT_PLANDOR_SETTINGS_CHANGED, EVT_PLANDOR_PART_LIST_INVALID})
    Bind(type, &CPartFormView::OnPrivateMessage, this);
}

int CPartFormView::GroupCount() const { return static_cast<int>(m_library.partList.GetGroupCount()); }

int CPartFormView::PartCount() const {
  const std::vector<PartHandle>* members =
      m_group > 0 ? m_library.partList.GetGroupMembers(static_cast<unsigned>(m_group - 1)) : nullptr;
  return members ? static_cast<int>(members->size()) : 0;
}

void CPartFormView::FillGroups() {
  wxArrayString names;
  for (unsigned i = 0; i < m_library.partList.GetGroupCount(); ++i)
    names.Add(wxString::FromUTF8(m_library.partList.GetGroup(i)->name));
  m_groups->Set(names);
}

void CPartFormView::ShowGroup(int group, int first) {
  if (m_layoutFailed || group < 1 || group > GroupCount()) return;
  m_group = group;
  m_first = std::max(first, 1);
  UpdateScrollBars();
}

void CPartFormView::PlaceControls() {
  const wxSize client = GetClientSize();
  const int barWidth = m_partBar->GetBestSize().x;
  const int barHeight = m_groupBar->GetBestSize().y;
  const int comboHeight = m_groups->GetBestSize().y;
  const int gridWidth = client.x - barWidth - 2;
  const int gridHeight = client.y - barHeight - comboHeight - 4;
  if (gridWidth <= 0 || gridHeight <= 0) {
    m_layoutFailed = true;
    return;
  }
  m_groups->SetSize(0, 0, gridWidth, comboHeight);
  m_grid->SetSize(0, comboHeight + 2, gridWidth, gridHeight);
  m_partBar->SetSize(gridWidth + 1, comboHeight + 1, barWidth, gridHeight);
  m_groupBar->SetSize(0, comboHeight + gridHeight + 3, gridWidth, barHeight);
  m_layoutFailed = false;
}

void CPartFormView::UpdateScrollBars() {
  if (m_group < 1) return;
  m_groups->SetSelection(m_group - 1);
  m_groupBar->SetScrollbar(m_group - 1, 1, GroupCount(), 1);
  const int parts = PartCount();
  const int page = static_cast<int>(std::max(m_grid->GetCellCount(), 1u));
  m_partBar->SetScrollbar(std::clamp(m_first - 1, 0, std::max(parts - 1, 0)), page, std::max(parts, 1), page);
  if (!m_layoutFailed) m_grid->SetGroup(m_group, m_first);
}

void CPartFormView::OnSize(wxSizeEvent& event) {
  const wxSize client = GetClientSize();
  if (client.x < kMinSize || client.y < kMinSize) {
    m_layoutFailed = true;
    return;
  }
  PlaceControls();
  if (m_layoutFailed) return;
  if (m_groups->GetCount() != m_library.partList.GetGroupCount()) FillGroups();
  if (m_group == 0 && GroupCount() > 0) {
    m_group = 1;
    m_first = 1;
  }
  UpdateScrollBars();
  event.Skip();
}

void CPartFormView::OnChoice(wxCommandEvent&) {
  m_group = m_groups->GetSelection() + 1;
  m_first = 1;
  UpdateScrollBars();
}

void CPartFormView::OnPartScroll(wxScrollEvent& event) {
  // The bar moves by whole rows on the arrows and by the page otherwise; the toolkit computes the
  // position for pages and the thumb, a row step is made here.
  const int columns = std::max(m_grid->GetColumns(), 1);
  const int maximum = std::max(PartCount() - 1, 0);
  int position = m_first - 1;
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_SCROLL_LINEUP)
    position -= columns;
  else if (type == wxEVT_SCROLL_LINEDOWN)
    position += columns;
  else if (type == wxEVT_SCROLL_TOP)
    position = 0;
  else if (type == wxEVT_SCROLL_BOTTOM)
    position = maximum;
  else
    position = event.GetPosition();
  position = std::clamp(position, 0, maximum);
  if (position == m_first - 1) return;
  m_first = position + 1;
  m_partBar->SetThumbPosition(position);
  if (!m_layoutFailed) m_grid->SetGroup(m_group, m_first);
}

void CPartFormView::OnGroupScroll(wxScrollEvent& event) {
  const int group = std::clamp(event.GetPosition() + 1, 1, std::max(GroupCount(), 1));
  if (group == m_group) return;
  m_group = group;
  m_first = 1;
  UpdateScrollBars();
}

void CPartFormView::OnPrivateMessage(CPrivateMessageEvent& event) {
  switch (event.GetMessage()) {
    case msg::kShowGroup:
      // Group 0 leaves the grid, the bars and the list as they are.
      if (!m_layoutFailed && event.GetWParam() > 0)
        ShowGroup(static_cast<int>(event.GetWParam()), static_cast<int>(event.GetLParam()));
      break;
    case msg::kGroupsChanged:
      m_grid->Clear();
      FillGroups();
      m_group = 0;
      ShowGroup(1, 1);
      break;
    case msg::kFavoritesChanged:
      if (m_group == GroupCount() - 1) m_grid->Refresh();
      break;
    case msg::kModelChanged:
      if (m_group == GroupCount()) m_grid->Refresh();
      event.Skip();  // not consumed: the other windows hear it too
      break;
    case msg::kSettingsChanged:
      m_grid->ForgetPictures();
      m_grid->Refresh();
      event.Skip();
      break;
    case msg::kPartListInvalid:
      m_grid->Clear();
      m_group = 0;
      m_first = 0;
      break;
    default: event.Skip(); break;
  }
}
