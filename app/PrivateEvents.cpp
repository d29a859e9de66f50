#include "app/PrivateEvents.h"

wxDEFINE_EVENT(EVT_PLANDOR_SHOW_GROUP, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_COLORBAR_CHANGED, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_SET_ZOOM, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_GROUPS_CHANGED, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_FAVORITES_CHANGED, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_MODEL_CHANGED, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_SETTINGS_CHANGED, CPrivateMessageEvent);
wxDEFINE_EVENT(EVT_PLANDOR_PART_LIST_INVALID, CPrivateMessageEvent);

wxEventType PrivateEventType(unsigned message) {
  switch (message) {
    case msg::kShowGroup: return EVT_PLANDOR_SHOW_GROUP;
    case msg::kColorBarChanged: return EVT_PLANDOR_COLORBAR_CHANGED;
    case msg::kSetZoom: return EVT_PLANDOR_SET_ZOOM;
    case msg::kGroupsChanged: return EVT_PLANDOR_GROUPS_CHANGED;
    case msg::kFavoritesChanged: return EVT_PLANDOR_FAVORITES_CHANGED;
    case msg::kModelChanged: return EVT_PLANDOR_MODEL_CHANGED;
    case msg::kSettingsChanged: return EVT_PLANDOR_SETTINGS_CHANGED;
    case msg::kPartListInvalid: return EVT_PLANDOR_PART_LIST_INVALID;
    default: return wxEVT_NULL;
  }
}

CPrivateMessageEvent MakePrivateEvent(unsigned message, long wParam, long lParam) {
  return CPrivateMessageEvent(PrivateEventType(message), message, wParam, lParam);
}
