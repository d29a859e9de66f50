#pragma once
// The command chain of the main frame: the active view (the pane, list, tree or browser that last
// had the focus or a click), then the document's commands, then the frame's, then the
// application's. Menus, tool bars and keys all go through it, for running a command and for its
// enable and check state alike. Any window that is an ICommandTarget takes part as a view: it
// becomes the active view when it gets the focus, or when it announces itself (a click).
#include <wx/event.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include "app/CommandTarget.h"

class CCommandRouter {
 public:
  enum class Outcome { NotHandled, Disabled, Ran };
  struct Routed {
    int id = 0;
    Outcome outcome = Outcome::NotHandled;
  };

  // The view whose commands come first. A window that is no ICommandTarget is ignored.
  void SetActiveView(wxWindow* view);
  // The view asked when no view was active yet (the first 3-D pane).
  void SetDefaultView(wxWindow* view) { m_defaultView = view; }
  // The active view, else the default view; null when neither is there.
  wxWindow* GetActiveView() const;
  // The links after the view; null leaves a link out.
  void SetDocumentTarget(ICommandTarget* target) { m_document = target; }
  void SetFrameTarget(ICommandTarget* target) { m_frame = target; }
  void SetApplicationTarget(ICommandTarget* target) { m_application = target; }

  // The first link whose command it is; null when none.
  ICommandTarget* FindTarget(int id) const;
  // The state of the command; disabled when no link has it.
  CommandState Query(int id) const;
  // Runs the command when its link finds it enabled.
  Outcome Run(int id);
  // The last command run through the chain (a key, a menu item, a button) and what became of it.
  Routed LastRouted() const { return m_last; }

 private:
  wxWeakRef<wxWindow> m_activeView;
  wxWeakRef<wxWindow> m_defaultView;
  ICommandTarget* m_document = nullptr;
  ICommandTarget* m_frame = nullptr;
  ICommandTarget* m_application = nullptr;
  Routed m_last;
};

// Sent up the window tree by a view that becomes active without taking the focus (a click on a
// pane that has it already); the frame makes it the active view.
wxDECLARE_EVENT(EVT_PLANDOR_VIEW_ACTIVATED, wxCommandEvent);
void AnnounceActiveView(wxWindow* view);
