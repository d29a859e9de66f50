#pragma once
// A few threads that run one job together and wait for the next: the caller is worker 0 and
// takes part, the others sleep between jobs. A renderer keeps one so that a frame starts no
// thread.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class CWorkerPool {
 public:
  explicit CWorkerPool(int threads);
  ~CWorkerPool();
  CWorkerPool(const CWorkerPool&) = delete;
  CWorkerPool& operator=(const CWorkerPool&) = delete;

  int GetThreads() const { return static_cast<int>(m_workers.size()) + 1; }
  // Runs job(worker) for every worker 0 .. GetThreads() - 1 at once and returns when all are
  // done. The job must not throw.
  void Run(const std::function<void(int)>& job);

 private:
  void WorkerLoop(int worker);

  std::vector<std::thread> m_workers;
  std::mutex m_mutex;
  std::condition_variable m_wake, m_done;
  const std::function<void(int)>* m_job = nullptr;
  uint64_t m_generation = 0;
  int m_running = 0;
  bool m_stop = false;
};
