#pragma once
// A text that works as a link: underlined, blue until it has been opened once and purple after,
// and opened by the desktop when clicked (a web address in the browser, anything else with the
// application the desktop has for it). A GTK label has no window of its own to take clicks, so the
// text is drawn by wx's generic static text.
#include <wx/generic/stattextg.h>

#include <functional>
#include <string>

class CActiveStaticLink : public wxGenericStaticText {
 public:
  // Opens the target; false when the desktop could not.
  using Launcher = std::function<bool(const std::string& target)>;

  static const wxColour kLinkColour;     // blue
  static const wxColour kVisitedColour;  // purple

  CActiveStaticLink(wxWindow* parent, wxWindowID id, const wxString& label, const std::string& target = {});

  // Empty: the link's own text.
  void SetTarget(const std::string& target) { m_target = target; }
  const std::string& GetTarget() const { return m_target; }
  bool IsVisited() const { return m_visited; }
  // What a click does; a failure only beeps.
  void OpenLink();
  // For tests: the desktop's opener by default.
  void SetLauncher(Launcher launcher) { m_launcher = std::move(launcher); }

 private:
  std::string m_target;
  bool m_visited = false;
  Launcher m_launcher;
};

// The desktop's opener: web and mail addresses in the browser, files with their application.
bool LaunchDesktopTarget(const std::string& target);
