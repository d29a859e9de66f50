#include "app/SizeableCtrlBar.h"

#include <wx/aui/floatpane.h>
#include <wx/utils.h>

#include <algorithm>

#include "platform/Numbers.h"
#include "platform/Profile.h"

BarSize ClampBarSize(BarSize size, BarSize minimum) {
  return {std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy)};
}

bool CDvSizeableCtrlBar::Create(wxWindow* parent, int id, const wxString& name, BarSize defaultSize,
                                bool gripper) {
  m_horz = m_vert = m_float = defaultSize;
  m_gripper = gripper;
  return wxPanel::Create(parent, id, wxDefaultPosition, wxSize(defaultSize.cx, defaultSize.cy),
                         wxTAB_TRAVERSAL | wxCLIP_CHILDREN, name);
}

wxAuiPaneInfo CDvSizeableCtrlBar::MakePaneInfo(const wxString& paneName,
                                               const wxString& caption) const {
  BarSize h = GetHorzSize(), f = GetFloatSize();
  // No minimum for AUI: a fixed pane with one is stretched along its dock row instead of keeping
  // its size (the sizes are never below the minimum anyway).
  return wxAuiPaneInfo()
      .Name(paneName)
      .Caption(caption)
      .ToolbarPane()
      .Top()
      .Gripper(m_gripper)
      .Dockable(true)
      .Floatable(true)
      .BestSize(wxSize(h.cx, h.cy))
      .FloatingSize(wxSize(f.cx, f.cy));
}

void CDvSizeableCtrlBar::AddToManager(wxAuiManager& aui, const wxAuiPaneInfo& pane) {
  m_aui = &aui;
  m_place = Place::Unknown;
  aui.AddPane(this, pane);
  Bind(wxEVT_IDLE, &CDvSizeableCtrlBar::OnIdle, this);
}

CDvSizeableCtrlBar::Place CDvSizeableCtrlBar::PlaceOf(const wxAuiPaneInfo& pane) {
  if (pane.IsFloating()) return Place::Floating;
  bool side = pane.dock_direction == wxAUI_DOCK_LEFT || pane.dock_direction == wxAUI_DOCK_RIGHT;
  if (side) return Place::Vertical;
  return Place::Horizontal;
}

bool CDvSizeableCtrlBar::FollowPlace() {
  if (!m_aui) return false;
  wxAuiPaneInfo& pane = m_aui->GetPane(this);
  if (!pane.IsOk()) return false;
  Place place = PlaceOf(pane);
  // A floating frame the user resized keeps that size for the next float.
  if (place == Place::Floating && m_place == Place::Floating && pane.floating_size != wxDefaultSize)
    SetFloatSize(SnapFloatSize({pane.floating_size.x, pane.floating_size.y}));
  m_place = place;
  BarSize want = SizeAt(place);
  bool changed = false;
  if (pane.best_size != wxSize(want.cx, want.cy)) {
    pane.BestSize(want.cx, want.cy);
    changed = true;
  }
  BarSize f = GetFloatSize();
  if (pane.floating_size != wxSize(f.cx, f.cy)) {
    pane.FloatingSize(f.cx, f.cy);
    changed = true;
  }
  // The user changes the bar's shape only while it floats.
  if (pane.IsResizable() != (place == Place::Floating)) {
    pane.Resizable(place == Place::Floating);
    changed = true;
  }
  if (changed) {
    // AUI made the size of the last place the least size of the bar's window; the bar's own
    // minimum holds instead.
    SetMinSize(wxSize(m_min.cx, m_min.cy));
  }
  return changed;
}

BarSize CDvSizeableCtrlBar::SizeAt(Place place) const {
  return place == Place::Vertical ? GetVertSize() : place == Place::Floating ? GetFloatSize() : GetHorzSize();
}

void CDvSizeableCtrlBar::OnIdle(wxIdleEvent& event) {
  event.Skip();
  if (!m_aui) return;
  const wxAuiPaneInfo& pane = m_aui->GetPane(this);
  if (!pane.IsOk()) return;
  Place place = PlaceOf(pane);
  BarSize want = SizeAt(place), f = GetFloatSize();
  if (place == m_place && pane.best_size == wxSize(want.cx, want.cy) &&
      pane.floating_size == wxSize(f.cx, f.cy) && pane.IsResizable() == (place == Place::Floating))
    return;
  // Never in the middle of the user's drag: the pane settles when the button is up.
  if (wxGetMouseState().LeftIsDown()) return;
  if (!FollowPlace()) return;
  m_aui->Update();
  // The floating frame lays the bar out with its own copy of the pane, made when it floated.
  wxAuiPaneInfo& now = m_aui->GetPane(this);
  if (auto* floating = dynamic_cast<wxAuiFloatingFrame*>(now.frame)) {
    wxAuiPaneInfo& inner = floating->GetAuiManager().GetPane(this);
    if (inner.IsOk()) inner.BestSize(now.best_size);
    // The toolkit keeps a window at least as large as its children: shrink the bar first.
    SetSize(now.best_size);
    floating->SetMinSize(wxDefaultSize);
    floating->SetSize(now.floating_size);
    floating->GetAuiManager().Update();
  }
}

void CDvSizeableCtrlBar::LoadBarState(CProfile& profile, const std::string& profileName) {
  std::string section = StrPrintf("%s-SCBar-%d", profileName.c_str(), GetId());
  auto read = [&](const char* key, int current, int minimum) {
    return std::max(profile.GetProfileInt(section, key, current), minimum);
  };
  m_horz.cx = read("sizeHorzCX", m_horz.cx, m_min.cx);
  m_horz.cy = read("sizeHorzCY", m_horz.cy, m_min.cy);
  m_vert.cx = read("sizeVertCX", m_vert.cx, m_min.cx);
  m_vert.cy = read("sizeVertCY", m_vert.cy, m_min.cy);
  m_float.cx = read("sizeFloatCX", m_float.cx, m_min.cx);
  m_float.cy = read("sizeFloatCY", m_float.cy, m_min.cy);
}

void CDvSizeableCtrlBar::SaveBarState(CProfile& profile, const std::string& profileName) const {
  std::string section = StrPrintf("%s-SCBar-%d", profileName.c_str(), GetId());
  profile.WriteProfileInt(section, "sizeHorzCX", m_horz.cx);
  profile.WriteProfileInt(section, "sizeHorzCY", m_horz.cy);
  profile.WriteProfileInt(section, "sizeVertCX", m_vert.cx);
  profile.WriteProfileInt(section, "sizeVertCY", m_vert.cy);
  profile.WriteProfileInt(section, "sizeFloatCX", m_float.cx);
  profile.WriteProfileInt(section, "sizeFloatCY", m_float.cy);
}
