#pragma once
// The private messages 0x8000 to 0x8007 that the document, the frame, the part tree, the part
// browser, the colour bar and the 3-D views exchange, as wx events. Each message number has its
// own event type; the event carries the message's two parameters and a result for senders.
#include <wx/event.h>

namespace msg {
constexpr unsigned kShowGroup = 0x8000;        // wParam group from 1, lParam position from 1
constexpr unsigned kColorBarChanged = 0x8001;  // wParam slot 0..15
constexpr unsigned kSetZoom = 0x8002;          // lParam zoom in per cent, 0 = fit
constexpr unsigned kGroupsChanged = 0x8003;
constexpr unsigned kFavoritesChanged = 0x8004;
constexpr unsigned kModelChanged = 0x8005;
constexpr unsigned kSettingsChanged = 0x8006;
constexpr unsigned kPartListInvalid = 0x8007;
constexpr unsigned kFirst = 0x8000, kLast = 0x8007;
}  // namespace msg

class CPrivateMessageEvent : public wxEvent {
 public:
  CPrivateMessageEvent(wxEventType type, unsigned message, long wParam, long lParam)
      : wxEvent(0, type), m_message(message), m_wParam(wParam), m_lParam(lParam) {}
  wxEvent* Clone() const override { return new CPrivateMessageEvent(*this); }

  unsigned GetMessage() const { return m_message; }
  long GetWParam() const { return m_wParam; }
  long GetLParam() const { return m_lParam; }
  // What the receiver answers to a send (0 unless it sets one).
  long GetResult() const { return m_result; }
  void SetResult(long result) { m_result = result; }

 private:
  unsigned m_message;
  long m_wParam;
  long m_lParam;
  long m_result = 0;
};

wxDECLARE_EVENT(EVT_PLANDOR_SHOW_GROUP, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_COLORBAR_CHANGED, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_SET_ZOOM, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_GROUPS_CHANGED, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_FAVORITES_CHANGED, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_MODEL_CHANGED, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_SETTINGS_CHANGED, CPrivateMessageEvent);
wxDECLARE_EVENT(EVT_PLANDOR_PART_LIST_INVALID, CPrivateMessageEvent);

// The event type of a message number; wxEVT_NULL outside 0x8000..0x8007.
wxEventType PrivateEventType(unsigned message);
// A fresh event for a message.
CPrivateMessageEvent MakePrivateEvent(unsigned message, long wParam, long lParam);
