#include "app/SizeableCtrlBar.h"

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
  return wxAuiPaneInfo()
      .Name(paneName)
      .Caption(caption)
      .ToolbarPane()
      .Top()
      .Gripper(m_gripper)
      .Dockable(true)
      .Floatable(true)
      .MinSize(wxSize(m_min.cx, m_min.cy))
      .BestSize(wxSize(h.cx, h.cy))
      .FloatingSize(wxSize(f.cx, f.cy));
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
