#include "app/StaticPart.h"

#include <wx/dcbuffer.h>
#include <wx/dnd.h>
#include <wx/frame.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "dialogs/DibBitmap.h"
#include "app/PaneDropTarget.h"
#include "app/PartDragData.h"
#include "app/PartThumbnail.h"
#include "config/Tracer.h"

namespace {

void SetStatusLine(wxWindow* window, const wxString& text) {
  auto* frame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(window));
  wxStatusBar* status = frame ? frame->GetStatusBar() : nullptr;
  if (status && status->GetStatusText(0) != text) status->SetStatusText(text, 0);
}

const std::vector<PartHandle> kNoParts;

const std::vector<PartHandle>& GroupMembers(const CPartList& list, int group) {
  if (group < 1) return kNoParts;
  const std::vector<PartHandle>* members = list.GetGroupMembers(static_cast<unsigned>(group - 1));
  return members ? *members : kNoParts;
}

}  // namespace

CStaticPart::CStaticPart(wxWindow* parent, const CLibraryContext& library)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "PartGrid"),
      m_library(library) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CStaticPart::OnPaint, this);
  Bind(wxEVT_SIZE, &CStaticPart::OnSize, this);
  Bind(wxEVT_MOTION, &CStaticPart::OnMotion, this);
  Bind(wxEVT_LEAVE_WINDOW, &CStaticPart::OnLeave, this);
  Bind(wxEVT_LEFT_DOWN, &CStaticPart::OnLeftDown, this);
  Bind(wxEVT_RIGHT_UP, &CStaticPart::OnRightUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CStaticPart::OnCaptureLost, this);
}

void CStaticPart::SetGroup(int group, int first) {
  m_group = group;
  m_first = first;
  if (group != m_paintedGroup || first != m_paintedFirst) {
    LoadCells();
    wxWindow::Refresh(false);
    Update();
  }
}

void CStaticPart::Refresh() {
  const wxSize size = GetClientSize();
  m_grid.Layout(size.x, size.y);
  LoadCells();
  wxWindow::Refresh(false);
}

void CStaticPart::ForgetPictures() {
  m_thumbnails.clear();
  m_recent.clear();
}

void CStaticPart::Clear() {
  ForgetPictures();
  m_group = m_first = 0;
  m_paintedGroup = m_paintedFirst = -1;
  m_shown.clear();
  SetHovered(-1);
  wxWindow::Refresh(false);
}

void CStaticPart::LoadCells() {
  m_shown = CPartGridState::ShownParts(GroupMembers(m_library.partList, m_group), m_first, m_grid.GetCellCount());
  if (m_hovered >= static_cast<int>(m_shown.size())) SetHovered(-1);
}

const CStaticPart::Thumbnail& CStaticPart::ThumbnailOf(PartHandle handle) {
  const int size = CPartGridState::CellSize();
  const Key key(handle, size);
  auto found = m_thumbnails.find(key);
  if (found != m_thumbnails.end()) {
    m_recent.splice(m_recent.begin(), m_recent, found->second.second);
    return found->second.first;
  }
  Thumbnail thumbnail;
  ++m_renders;
  switch (RenderPartThumbnail(m_library.fileCache, handle, size, m_renderer)) {
    case ThumbnailResult::Drawn: thumbnail.bitmap = DibToBitmap(m_renderer.GetImage()); break;
    case ThumbnailResult::NotFound: break;
    case ThumbnailResult::NoMemory:
      theTracer.Printf("ERROR: No memory for the thumbnail of %s.\n", m_library.partList.GetFileName(handle));
      break;
  }
  m_recent.push_front(key);
  auto& entry = m_thumbnails[key] = {thumbnail, m_recent.begin()};
  while (m_thumbnails.size() > kKeptThumbnails) {
    m_thumbnails.erase(m_recent.back());
    m_recent.pop_back();
  }
  return entry.first;
}

void CStaticPart::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  const auto& cells = m_grid.Cells();
  for (size_t i = 0; i < m_shown.size() && i < cells.size(); ++i) {
    if (!m_shown[i]) continue;
    const PartCell& cell = cells[i];
    const Thumbnail& thumbnail = ThumbnailOf(m_shown[i]);
    if (thumbnail.bitmap.IsOk()) {
      dc.DrawBitmap(thumbnail.bitmap, cell.x, cell.y);
    } else {
      dc.SetPen(wxPen(*wxRED, 3));
      dc.DrawLine(cell.x, cell.y, cell.x + cell.size - 1, cell.y + cell.size - 1);
      dc.DrawLine(cell.x, cell.y + cell.size - 1, cell.x + cell.size - 1, cell.y);
    }
  }
  m_paintedGroup = m_group;
  m_paintedFirst = m_first;
}

void CStaticPart::OnSize(wxSizeEvent& event) {
  const wxSize size = GetClientSize();
  if (m_grid.Layout(size.x, size.y)) LoadCells();
  wxWindow::Refresh(false);
  event.Skip();
}

void CStaticPart::SetHovered(int cell) {
  if (cell == m_hovered) return;
  m_hovered = cell;
  if (cell < 0 || static_cast<size_t>(cell) >= m_shown.size()) {
    SetStatusLine(this, wxString());
    return;
  }
  const PartHandle handle = m_shown[static_cast<size_t>(cell)];
  SetStatusLine(this, wxString::FromUTF8(std::string(m_library.partList.GetFileName(handle)) + " / " +
                                         m_library.partList.GetDescription(handle)));
}

void CStaticPart::OnMotion(wxMouseEvent& event) {
  const int cell = m_grid.CellAt(event.GetX(), event.GetY());
  const bool holdsPart = cell >= 0 && static_cast<size_t>(cell) < m_shown.size() && m_shown[static_cast<size_t>(cell)];
  SetHovered(holdsPart ? cell : -1);
  event.Skip();
}

void CStaticPart::OnLeave(wxMouseEvent& event) {
  SetHovered(-1);
  event.Skip();
}

void CStaticPart::OnCaptureLost(wxMouseCaptureLostEvent&) { SetHovered(-1); }

void CStaticPart::OnLeftDown(wxMouseEvent& event) {
  const int cell = m_grid.CellAt(event.GetX(), event.GetY());
  if (cell < 0 || static_cast<size_t>(cell) >= m_shown.size() || !m_shown[static_cast<size_t>(cell)]) {
    event.Skip();
    return;
  }
  CPartDragObject data(PartDragData{static_cast<uint32_t>(PartDragKind::Part), m_shown[static_cast<size_t>(cell)]});
  // The panes draw the part's outline under the pointer while it is dragged.
  NotePartDrag(data.GetData());
  wxDropSource source(data, this);
  source.DoDragDrop(wxDrag_CopyOnly);
  NotePartDrag({});
}

void CStaticPart::OnRightUp(wxMouseEvent&) {
  const wxSize size = GetClientSize();
  if (CPartGridState::IsSmall() && !CPartGridState::CanSwitchToLarge(size.x, size.y)) return;
  CPartGridState::SetSmall(!CPartGridState::IsSmall());
  Refresh();
  if (m_onSizeSwitched) m_onSizeSwitched();
}
