#include "dialogs/ActiveStaticLink.h"

#include <wx/utils.h>

#include "platform/Prompt.h"

const wxColour CActiveStaticLink::kLinkColour(0, 0, 255);
const wxColour CActiveStaticLink::kVisitedColour(128, 0, 128);

bool LaunchDesktopTarget(const std::string& target) {
  const wxString t = wxString::FromUTF8(target);
  if (target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0) return wxLaunchDefaultBrowser(t);
  return wxLaunchDefaultApplication(t);
}

CActiveStaticLink::CActiveStaticLink(wxWindow* parent, wxWindowID id, const wxString& label, const std::string& target)
    : wxGenericStaticText(parent, id, label, wxDefaultPosition, wxDefaultSize, 0, "ActiveStaticLink"),
      m_target(target),
      m_launcher(LaunchDesktopTarget) {
  wxFont font = GetFont();
  font.SetUnderlined(true);
  SetFont(font);
  SetForegroundColour(kLinkColour);
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
    OpenLink();
    e.Skip();
  });
}

void CActiveStaticLink::OpenLink() {
  if (m_target.empty()) m_target = GetLabel().utf8_string();
  if (!m_launcher || !m_launcher(m_target)) {
    ThePrompt().Beep();
    return;
  }
  m_visited = true;
  SetForegroundColour(kVisitedColour);
  Refresh();
}
