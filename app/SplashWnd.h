#pragma once
// The picture shown while the main window comes up. It closes after 2000 ms or at the first key
// or mouse press anywhere in the program; that press only closes it and goes no further.
#include <wx/frame.h>
#include <wx/timer.h>

class wxEvent;

class CSplashWnd : public wxFrame {
 public:
  // Set at start-up from the command line (no splash when embedded or automated).
  static void EnableSplashScreen(bool enable);
  // The version title written on the picture.
  static void SetVersionTitle(const wxString& title);
  // Shows the splash window when enabled and none exists yet.
  static void ShowSplashScreen(wxWindow* parent);
  // Offered every event of the application first: closes the splash window on a key or mouse
  // press and returns true (the event is consumed); false otherwise.
  static bool PreTranslateAppMessage(wxEvent& event);
  static CSplashWnd* Current();
  // The 350 x 279 picture (drawn by the program).
  static wxBitmap MakePicture(const wxString& versionTitle);

  void HideSplashScreen();

 private:
  CSplashWnd(wxWindow* parent, const wxBitmap& picture);
  ~CSplashWnd() override;

  wxBitmap m_picture;
  wxTimer m_timer;
};
