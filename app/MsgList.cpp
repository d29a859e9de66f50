#include "app/MsgList.h"

#include "app/CommandTable.h"
#include "app/PrivateEvents.h"

size_t CMsgList::Add(wxWindow* window) {
  for (size_t i = 0; i < m_windows.size(); ++i)
    if (m_windows[i].get() == window) return i;
  m_windows.emplace_back(window);
  return m_windows.size() - 1;
}

long CMsgList::Send(unsigned message, long wParam, long lParam) {
  long result = 0;
  // A receiver may register further windows while it handles the message: walk a copy.
  std::vector<wxWeakRef<wxWindow>> windows = m_windows;
  for (auto& w : windows) {
    if (!w) continue;
    CPrivateMessageEvent event = MakePrivateEvent(message, wParam, lParam);
    event.SetEventObject(w.get());
    w->GetEventHandler()->SafelyProcessEvent(event);
    result = event.GetResult();
  }
  return result;
}

void CMsgList::Post(unsigned message, long wParam, long lParam) {
  for (auto& w : m_windows)
    if (w) {
      auto* event = new CPrivateMessageEvent(MakePrivateEvent(message, wParam, lParam));
      event->SetEventObject(w.get());
      wxQueueEvent(w->GetEventHandler(), event);
    }
}

void CMsgList::SendCommand(int commandId) {
  std::vector<wxWeakRef<wxWindow>> windows = m_windows;
  for (auto& w : windows) {
    if (!w) continue;
    wxCommandEvent event(wxEVT_MENU, ToWxId(commandId));
    event.SetEventObject(w.get());
    // Only the window itself: the event must not climb back to the frame that forwarded it.
    w->GetEventHandler()->ProcessEventLocally(event);
  }
}

size_t CMsgList::Count() const {
  size_t n = 0;
  for (auto& w : m_windows)
    if (w) ++n;
  return n;
}

