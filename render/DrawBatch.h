#pragma once
// The frame split across worker threads. The renderer records each primitive it has mapped,
// culled and coloured; the records are handed to the workers in chunks, and every worker takes
// bands of 16 frame rows in turn and draws into them the chunk's primitives that touch the band,
// in the order they were drawn. A band's pixels, depths and pick ids are written by one worker
// only, and each pixel sees the same writes in the same order as when the renderer draws at once,
// so the picture is the same. While the workers draw one chunk the renderer fills the next.
//
// The renderer finishes the batch before it reads or changes its buffers in any other way, and a
// part image that a recorded stamp still refers to finishes it before the image changes.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "render/BandRaster.h"

class CDrawBatch {
 public:
  static constexpr int32_t kBandRows = 16;

  explicit CDrawBatch(int threads);
  ~CDrawBatch();
  CDrawBatch(const CDrawBatch&) = delete;
  CDrawBatch& operator=(const CDrawBatch&) = delete;

  int GetThreads() const { return m_threads; }
  // The buffers the primitives recorded from now on are drawn into; only with nothing pending.
  void SetFrame(const bandraster::FrameBand& whole);

  // firstRow..lastRow: the frame rows the primitive can touch, inside the frame.
  void AddTriangle(const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3, const ColorPair& pair,
                   PickId pickId, int32_t firstRow, int32_t lastRow);
  // The triangles abc, acd and bcd, drawn in that order.
  void AddQuad(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const ScreenVertex& d,
               const ColorPair& pair, PickId pickId, int32_t firstRow, int32_t lastRow);
  void AddLine(const ScreenVertex& a, const ScreenVertex& b, int32_t lineWidth, const ColorPair& pair,
               PickId pickId, int32_t firstRow, int32_t lastRow);
  void AddStamp(const bandraster::Stamp& stamp, int32_t firstRow, int32_t lastRow);

  bool HasPending() const { return m_pending; }
  // Draws everything recorded and waits until the workers are done.
  void Finish();

 private:
  enum class Kind : uint8_t { Triangle, Quad, Line, Stamp };
  // One cache line.
  struct alignas(64) Command {
    Kind kind;
    uint8_t lineWidth;
    uint32_t tag;  // the pick id, or for a stamp the index into the chunk's stamps
    ScreenVertex v[4];
    ColorPair pair;
  };
  struct FreeCommands {
    void operator()(Command* commands) const;
  };
  struct Chunk {
    // Room for kChunkCommands, the first count in use. Taken at the first record and never
    // cleared: a renderer made and dropped without drawing (as the panes' renderers are, each
    // time they draw side by side) costs no page of it.
    std::unique_ptr<Command[], FreeCommands> commands;
    size_t count = 0;
    std::vector<bandraster::Stamp> stamps;
    std::vector<uint8_t> damaged;  // per stamp: the first shade no fill writes, or 0
    std::vector<std::vector<uint32_t>> bins;  // per band: the commands that touch it, in order
  };

  void Put(const Command& command);
  void Bin(int32_t firstRow, int32_t lastRow);
  void Submit();
  void WaitWorkers();
  void Recycle(Chunk& chunk);
  void StartWorkers();
  void WorkerLoop();
  void DrawBands(Chunk& chunk);

  bandraster::FrameBand m_frame;
  int32_t m_bandCount = 0;
  Chunk m_chunks[2];
  int m_recording = 0;  // the chunk being filled; the other one may be with the workers
  bool m_pending = false;

  int m_threads = 1;
  std::vector<std::thread> m_workers;  // started when the first chunk is handed over
  std::mutex m_mutex;
  std::condition_variable m_wake, m_done;
  Chunk* m_active = nullptr;
  uint64_t m_generation = 0;
  int m_running = 0;
  bool m_stop = false;
  std::atomic<int32_t> m_nextBand{0};
};
