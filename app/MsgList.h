#pragma once
// The windows that receive the main frame's broadcasts. A window is listed once however often it
// registers. A destroyed window drops out by itself (the list holds weak references), so a
// broadcast never reaches a dead window.
#include <type_traits>

#include <wx/weakref.h>
#include <wx/window.h>

#include <vector>

class CMsgList {
 public:
  // Lists the window unless it is already listed; returns its position.
  size_t Add(wxWindow* window);
  // Delivers the message to every listed window in list order and waits for each;
  // returns the result of the last one (0 when none is listed).
  long Send(unsigned message, long wParam, long lParam);
  // Queues the message for every listed window; the event loop delivers it later.
  void Post(unsigned message, long wParam, long lParam);
  // Hands a menu command (as a wxEVT_MENU with ToWxId(commandId)) to every listed window (Find and Find Again reach the part tree so,
  // wherever the focus is).
  void SendCommand(int commandId);
  size_t Count() const;

 private:
  std::vector<wxWeakRef<wxWindow>> m_windows;
};
