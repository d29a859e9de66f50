#pragma once
// A dockable bar whose size is remembered rather than computed from its contents: one size while
// docked at the top or bottom, one at the left or right, one while floating, none below a minimum.
// Docking, floating and the sharing of a dock row are wxAUI's; this class keeps the sizes and
// hands AUI a pane description that follows them. The colour bar derives from it.
#include <wx/aui/framemanager.h>
#include <wx/panel.h>

#include <string>

class CProfile;

struct BarSize {
  int cx = 200, cy = 200;
  bool operator==(const BarSize&) const = default;
};

// Every dimension raised to the minimum's.
BarSize ClampBarSize(BarSize size, BarSize minimum);

class CDvSizeableCtrlBar : public wxPanel {
 public:
  CDvSizeableCtrlBar() = default;
  // Creates the bar's window; the three remembered sizes all start as the default size.
  bool Create(wxWindow* parent, int id, const wxString& name, BarSize defaultSize, bool gripper);

  BarSize GetHorzSize() const { return ClampBarSize(m_horz, m_min); }
  BarSize GetVertSize() const { return ClampBarSize(m_vert, m_min); }
  BarSize GetFloatSize() const { return ClampBarSize(m_float, m_min); }
  void SetHorzSize(BarSize s) { m_horz = s; }
  void SetVertSize(BarSize s) { m_vert = s; }
  void SetMinimumSize(BarSize s) { m_min = s; }
  // A floating resize: the bar never floats smaller than its minimum.
  void SetFloatSize(BarSize s) { m_float = ClampBarSize(s, m_min); }

  // The pane that docks the bar (caption, gripper, sizes), to be added to the frame's manager.
  wxAuiPaneInfo MakePaneInfo(const wxString& paneName, const wxString& caption) const;
  // Adds the bar to the manager; from then on the bar follows where AUI puts it: docked at the
  // left or right it takes its vertical size, floating its floating size, else its horizontal
  // size (checked when the program is idle, as a dock or float by the user has no event).
  void AddToManager(wxAuiManager& aui, const wxAuiPaneInfo& pane);
  // Gives the managed pane the remembered size of the place it is at now, and remembers a
  // floating size the user dragged; true when the pane changed (the manager must update).
  bool FollowPlace();

  // The bar's sizes in the profile section "<profileName>-SCBar-<id>"; values below the minimum
  // are raised to it when read.
  void LoadBarState(CProfile& profile, const std::string& profileName);
  void SaveBarState(CProfile& profile, const std::string& profileName) const;

 protected:
  // The floating size a user's resize ends in; a bar with fixed shapes picks one of them.
  virtual BarSize SnapFloatSize(BarSize wanted) const { return wanted; }

 private:
  enum class Place { Unknown, Horizontal, Vertical, Floating };
  static Place PlaceOf(const wxAuiPaneInfo& pane);
  BarSize SizeAt(Place place) const;
  void OnIdle(wxIdleEvent& event);

  wxAuiManager* m_aui = nullptr;
  Place m_place = Place::Unknown;
  BarSize m_horz, m_vert, m_float;
  BarSize m_min{33, 32};
  bool m_gripper = false;
};
