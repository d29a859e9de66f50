#pragma once
// The hint word the document passes with every update of its observers: which of the views have
// to redraw what. Values are combined; a few of them are meaningful only as exact values.
#include <cstdint>

constexpr uint32_t HINT_FULL = 0;                 // re-render and rebuild everything
constexpr uint32_t HINT_SETTINGS = 0x10000;       // the settings changed (as HINT_FULL)
constexpr uint32_t HINT_SUSPEND = 0x20001;        // a layout switch follows: ignore until the next update
constexpr uint32_t HINT_REPAINT_ONLY = 0x20000;   // the pane renderers are already drawn
constexpr uint32_t HINT_KEEP_IMAGE = 0x40000;     // render over the kept image, no clearing
constexpr uint32_t HINT_MODE_CHANGED = 0x80000;   // edit/view mode switched
constexpr uint32_t HINT_SELECTION = 0x100000;     // the selection changed
constexpr uint32_t HINT_SAVE_STATE = 0x200000;    // keep the renderer state (before a handle drag)
constexpr uint32_t HINT_MODEL_INFO = 0x400000;    // model name or description (only with HINT_LIST_ONLY)
constexpr uint32_t HINT_REFIT = 0x800000;         // project replaced or another model active
constexpr uint32_t HINT_SKIP_NEXT = 0x1000000;    // ignore the next update
constexpr uint32_t HINT_APPENDED = 0x4000000;     // the selection was appended: draw it over the panes' frames
constexpr uint32_t HINT_SUBMODE = 0x2000000;      // edit sub-mode (mouse mode) changed
constexpr uint32_t HINT_PANES_ONLY = 0x10000000;  // the line list is already right
constexpr uint32_t HINT_LIST_STATES = 0x20000000; // element flags or selection: list rows only
constexpr uint32_t HINT_LIST_ONLY = 0x80000000;   // only non-drawable lines changed

// A view of the document: the 3-D panes, the line list. Observers are told in the order they
// registered.
class IDocObserver {
 public:
  virtual ~IDocObserver() = default;
  virtual void OnUpdate(uint32_t hint) = 0;
};
