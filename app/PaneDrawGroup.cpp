#include "app/PaneDrawGroup.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "app/QuorvelViewState.h"
#include "document/QuorvelDoc.h"
#include "model/ThreadPartImages.h"
#include "render/C3DStub.h"

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
    for (CQuorvelViewState* view : stale) view->DrawPending();
    return static_cast<int>(stale.size());
  }
  // Each pane draws its frame alone: bands of rows inside each of several panes drawn at once
  // would only crowd the processors, and each thread stamps its own part images at once (a band
  // would stamp them later).
  std::vector<int> bands(stale.size());
  for (size_t i = 0; i < stale.size(); ++i)
    if (C3DStub* r = stale[i]->GetRenderer()) {
      bands[i] = r->GetThreads();
      r->SetThreads(1);
    }
  std::atomic<size_t> next{0};
  auto work = [&] {
    CThreadPartImages images;
    for (size_t i = next++; i < stale.size(); i = next++) stale[i]->DrawPending();
  };
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(workers - 1));
  for (int t = 1; t < workers; ++t) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  for (size_t i = 0; i < stale.size(); ++i)
    if (C3DStub* r = stale[i]->GetRenderer()) r->SetThreads(bands[i] == C3DStub::GetDefaultThreads() ? 0 : bands[i]);
  return static_cast<int>(stale.size());
}
