#include "render/WorkerPool.h"

#include <algorithm>

CWorkerPool::CWorkerPool(int threads) {
  const int extra = std::max(threads, 1) - 1;
  m_workers.reserve(static_cast<size_t>(extra));
  for (int i = 1; i <= extra; ++i) m_workers.emplace_back([this, i] { WorkerLoop(i); });
}

CWorkerPool::~CWorkerPool() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_all();
  for (std::thread& t : m_workers) t.join();
}

void CWorkerPool::Run(const std::function<void(int)>& job) {
  if (!m_workers.empty()) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_job = &job;
    m_running = static_cast<int>(m_workers.size());
    ++m_generation;
  }
  m_wake.notify_all();
  job(0);
  std::unique_lock<std::mutex> lock(m_mutex);
  m_done.wait(lock, [this] { return m_running == 0; });
  m_job = nullptr;
}

void CWorkerPool::WorkerLoop(int worker) {
  uint64_t seen = 0;
  for (;;) {
    const std::function<void(int)>* job;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_wake.wait(lock, [&] { return m_stop || m_generation != seen; });
      if (m_stop) return;
      seen = m_generation;
      job = m_job;
    }
    (*job)(worker);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (--m_running == 0) m_done.notify_all();
  }
}
