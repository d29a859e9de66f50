#include "app/CommandRouter.h"

wxDEFINE_EVENT(EVT_PLANDOR_VIEW_ACTIVATED, wxCommandEvent);

void CCommandRouter::SetActiveView(wxWindow* view) {
  if (dynamic_cast<ICommandTarget*>(view)) m_activeView = view;
}

wxWindow* CCommandRouter::GetActiveView() const {
  if (m_activeView) return m_activeView.get();
  return m_defaultView ? m_defaultView.get() : nullptr;
}

ICommandTarget* CCommandRouter::FindTarget(int id) const {
  ICommandTarget* const chain[] = {dynamic_cast<ICommandTarget*>(GetActiveView()), m_document, m_frame,
                                   m_application};
  for (ICommandTarget* target : chain)
    if (target && target->HandlesCommand(id)) return target;
  return nullptr;
}

CommandState CCommandRouter::Query(int id) const {
  ICommandTarget* target = FindTarget(id);
  return target ? target->QueryCommand(id) : CommandState{};
}

CCommandRouter::Outcome CCommandRouter::Run(int id) {
  ICommandTarget* target = FindTarget(id);
  Outcome outcome = !target ? Outcome::NotHandled
                            : target->QueryCommand(id).enabled ? Outcome::Ran : Outcome::Disabled;
  m_last = {id, outcome};
  if (outcome == Outcome::Ran) target->RunCommand(id);
  return outcome;
}

void AnnounceActiveView(wxWindow* view) {
  wxCommandEvent event(EVT_PLANDOR_VIEW_ACTIVATED);
  event.SetEventObject(view);
  view->GetEventHandler()->ProcessEvent(event);
}
