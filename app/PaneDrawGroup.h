#pragma once
// The 3-D panes of one window drawn together: when an update of the document (or a zoom preset)
// leaves several panes to be drawn again, each pane's view only keeps its request, and the group
// draws all of them at once, each pane on a thread of its own, before any of them is painted.
// The group listens to the document after its panes, so that the pictures are drawn when the
// update is over, as they were when each pane drew on its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "document/UpdateHints.h"

class CQuorvelDoc;
class CQuorvelViewState;
class CWorkerPool;

class CPaneDrawGroup : public IDocObserver {
 public:
  CPaneDrawGroup();
  ~CPaneDrawGroup() override;

  // The panes of the group; they defer their drawings while they take an update.
  void Add(CQuorvelViewState* view) { m_views.push_back(view); }
  // Registers with the document (null unregisters); call after the panes registered.
  void SetDocument(CQuorvelDoc* doc);
  void OnUpdate(uint32_t hint) override;

  // Draws every pane that kept a request: the document's shared work once on this thread, then
  // the drawings on up to Workers() threads. Returns how many panes were drawn.
  int DrawPending();

  // How many panes are drawn at the same time: PLANDOR_RENDER_THREADS when set (0: one per
  // processor), else one per processor; 1 draws them one after another.
  static int Workers();
  // Another count for this group (0 goes back to Workers()).
  void SetWorkers(int workers) { m_workers = workers; }
  // The threads the last DrawPending drew on.
  int GetLastWorkers() const { return m_lastWorkers; }

 private:
  std::vector<CQuorvelViewState*> m_views;
  CQuorvelDoc* m_doc = nullptr;
  int m_workers = 0;
  int m_lastWorkers = 0;
  // The threads the panes draw on, kept between drawings.
  std::unique_ptr<CWorkerPool> m_pool;
};
