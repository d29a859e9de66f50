#include "app/PaneDrawGroup.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "app/QuorvelViewState.h"
#include "document/QuorvelDoc.h"
#include "model/ThreadPartImages.h"
#include "render/C3DStub.h"
#include "render/WorkerPool.h"

CPaneDrawGroup::CPaneDrawGroup() = default;

CPaneDrawGroup::~CPaneDrawGroup() { SetDocument(nullptr); }

void CPaneDrawGroup::SetDocument(CQuorvelDoc* doc) {
  if (m_doc) m_doc->RemoveObserver(this);
  m_doc = doc;
  if (m_doc) m_doc->AddObserver(this);
}

void CPaneDrawGroup::OnUpdate(uint32_t) { DrawPending(); }

int CPaneDrawGroup::Workers() {
  const int machine = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const char* env = std::getenv("PLANDOR_RENDER_THREADS");
  if (!env || !*env) return machine;
  const int n = std::atoi(env);
  return n >= 1 ? std::min(n, 256) : machine;
}

int CPaneDrawGroup::DrawPending() {
  std::vector<CQuorvelViewState*> stale;
  for (CQuorvelViewState* view : m_views)
    if (view->HasPendingDraw() && view->GetDocument()) stale.push_back(view);
  m_lastWorkers = 0;
  if (stale.empty()) return 0;
  CQuorvelDoc* doc = stale.front()->GetDocument();
  doc->PrepareSceneDrawing();
  // A road put in by a test or a benchmark may not expect to run on several threads.
  const bool roads = std::any_of(stale.begin(), stale.end(), [](auto* v) { return v->HasRenderRoad(); });
  const int workers = roads ? 1 : std::min(m_workers > 0 ? m_workers : Workers(), static_cast<int>(stale.size()));
  m_lastWorkers = workers;
  if (workers <= 1) {
    for (CQuorvelViewState* view : stale) {
      view->UseOwnThreads();
      view->DrawPending();
    }
    return static_cast<int>(stale.size());
  }
  // The processors are shared out: each pane draws in bands of rows on its share of them, and
  // keeps that count for the next time the panes draw together.
  const int share = std::max(1, C3DStub::GetDefaultThreads() / workers);
  for (CQuorvelViewState* view : stale) view->UseSharedThreads(share);
  if (!m_pool || m_pool->GetThreads() != workers) m_pool = std::make_unique<CWorkerPool>(workers);
  CThreadPartImages::Round round;
  std::atomic<size_t> next{0};
  m_pool->Run([&](int) {
    for (size_t i = next++; i < stale.size(); i = next++) {
      stale[i]->DrawPending();
      // The renderer's workers may still stamp this thread's images; the thread forgets them
      // in the next round, maybe while it draws another pane.
      if (C3DStub* renderer = stale[i]->GetRenderer()) renderer->Finish();
    }
  });
  return static_cast<int>(stale.size());
}
