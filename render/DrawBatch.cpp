#include "render/DrawBatch.h"

#include <algorithm>
#include <new>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "config/Tracer.h"

namespace {
// Large enough that handing a chunk over costs little against drawing it, small enough to stay
// in the caches (under 1 MB) and cheap to set up for a renderer that draws little.
constexpr size_t kChunkCommands = 16384;
}  // namespace

CDrawBatch::CDrawBatch(int threads) : m_threads(std::max(threads, 1)) {}

void CDrawBatch::FreeCommands::operator()(Command* commands) const {
  ::operator delete(commands, std::align_val_t{alignof(Command)});
}

void CDrawBatch::StartWorkers() {
  m_workers.reserve(static_cast<size_t>(m_threads));
  for (int i = 0; i < m_threads; ++i) m_workers.emplace_back([this] { WorkerLoop(); });
}

CDrawBatch::~CDrawBatch() {
  Finish();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_all();
  for (std::thread& t : m_workers) t.join();
}

void CDrawBatch::SetFrame(const bandraster::FrameBand& whole) {
  m_frame = whole;
  m_bandCount = whole.height > 0 ? (whole.height + kBandRows - 1) / kBandRows : 0;
  for (Chunk& c : m_chunks) c.bins.resize(static_cast<size_t>(m_bandCount));
}

// Records go past the caches: the lines of a chunk were last read by the workers on other
// processors, and taking them back one store at a time costs more than drawing a small triangle.
void CDrawBatch::Put(const Command& command) {
  Chunk& c = m_chunks[m_recording];
  // Records are plain data that Put writes whole before anything reads them: the room is left
  // uninitialised, so only the pages a frame records into are ever touched.
  if (!c.commands)
    c.commands.reset(static_cast<Command*>(
        ::operator new(kChunkCommands * sizeof(Command), std::align_val_t{alignof(Command)})));
  Command* to = &c.commands[c.count++];
#if defined(__SSE2__)
  static_assert(sizeof(Command) == 64);
  const auto* from = reinterpret_cast<const __m128i*>(&command);
  auto* dest = reinterpret_cast<__m128i*>(to);
  for (int i = 0; i < 4; ++i) _mm_stream_si128(dest + i, _mm_load_si128(from + i));
#else
  *to = command;
#endif
}

void CDrawBatch::Bin(int32_t firstRow, int32_t lastRow) {
  Chunk& c = m_chunks[m_recording];
  const auto index = static_cast<uint32_t>(c.count - 1);
  for (int32_t b = firstRow / kBandRows; b <= lastRow / kBandRows; ++b) c.bins[static_cast<size_t>(b)].push_back(index);
  m_pending = true;
  if (c.count >= kChunkCommands) Submit();
}

void CDrawBatch::AddTriangle(const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3,
                             const ColorPair& pair, PickId pickId, int32_t firstRow, int32_t lastRow) {
  Put({Kind::Triangle, 0, pickId, {v1, v2, v3, ScreenVertex()}, pair});
  Bin(firstRow, lastRow);
}

void CDrawBatch::AddQuad(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const ScreenVertex& d,
                         const ColorPair& pair, PickId pickId, int32_t firstRow, int32_t lastRow) {
  Put({Kind::Quad, 0, pickId, {a, b, c, d}, pair});
  Bin(firstRow, lastRow);
}

void CDrawBatch::AddLine(const ScreenVertex& a, const ScreenVertex& b, int32_t lineWidth, const ColorPair& pair,
                         PickId pickId, int32_t firstRow, int32_t lastRow) {
  Put({Kind::Line, static_cast<uint8_t>(lineWidth), pickId, {a, b, ScreenVertex(), ScreenVertex()}, pair});
  Bin(firstRow, lastRow);
}

void CDrawBatch::AddStamp(const bandraster::Stamp& stamp, int32_t firstRow, int32_t lastRow) {
  Chunk& c = m_chunks[m_recording];
  Put({Kind::Stamp, 0, static_cast<uint32_t>(c.stamps.size()), {}, ColorPair()});
  c.stamps.push_back(stamp);
  c.damaged.push_back(0);
  Bin(firstRow, lastRow);
}

void CDrawBatch::DrawBands(Chunk& chunk) {
  for (;;) {
    const int32_t b = m_nextBand.fetch_add(1, std::memory_order_relaxed);
    if (b >= m_bandCount) return;
    bandraster::FrameBand band = m_frame;
    band.rowFrom = b * kBandRows;
    band.rowTo = std::min(band.rowFrom + kBandRows, m_frame.height);
    for (const uint32_t i : chunk.bins[static_cast<size_t>(b)]) {
      const Command& c = chunk.commands[i];
      switch (c.kind) {
        case Kind::Triangle:
          bandraster::Triangle(band, c.v[0], c.v[1], c.v[2], c.pair, c.tag);
          break;
        case Kind::Quad:
          bandraster::Triangle(band, c.v[0], c.v[1], c.v[2], c.pair, c.tag);
          bandraster::Triangle(band, c.v[0], c.v[2], c.v[3], c.pair, c.tag);
          bandraster::Triangle(band, c.v[1], c.v[2], c.v[3], c.pair, c.tag);
          break;
        case Kind::Line:
          bandraster::Line(band, c.v[0], c.v[1], c.lineWidth, c.pair, c.tag);
          break;
        case Kind::Stamp:
          if (const uint8_t bad = bandraster::StampImage(band, chunk.stamps[c.tag]))
            std::atomic_ref<uint8_t>(chunk.damaged[c.tag]).store(bad, std::memory_order_relaxed);
          break;
      }
    }
  }
}

void CDrawBatch::WorkerLoop() {
  uint64_t seen = 0;
  for (;;) {
    Chunk* chunk;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_wake.wait(lock, [&] { return m_stop || m_generation != seen; });
      if (m_stop) return;
      seen = m_generation;
      chunk = m_active;
    }
    DrawBands(*chunk);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (--m_running == 0) m_done.notify_all();
  }
}

void CDrawBatch::WaitWorkers() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_done.wait(lock, [&] { return m_running == 0; });
  if (m_active) {
    Chunk* done = m_active;
    m_active = nullptr;
    lock.unlock();
    Recycle(*done);
  }
}

void CDrawBatch::Recycle(Chunk& chunk) {
  // No fill writes such a shade; a damaged image is logged once per stamp and its pixels left out.
  for (const uint8_t bad : chunk.damaged)
    if (bad) theTracer.Printf("ERROR: part image holds the shade %u\n", static_cast<unsigned>(bad));
  chunk.count = 0;
  chunk.stamps.clear();
  chunk.damaged.clear();
  for (auto& bin : chunk.bins) bin.clear();
}

void CDrawBatch::Submit() {
  WaitWorkers();
  Chunk& chunk = m_chunks[m_recording];
  m_recording = 1 - m_recording;
  if (chunk.count == 0) return;
#if defined(__SSE2__)
  _mm_sfence();  // the records reach memory before the workers are woken
#endif
  if (m_workers.empty()) StartWorkers();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_active = &chunk;
    m_nextBand.store(0, std::memory_order_relaxed);
    m_running = static_cast<int>(m_workers.size());
    ++m_generation;
  }
  m_wake.notify_all();
}

void CDrawBatch::Finish() {
  if (!m_pending) return;
  Submit();
  WaitWorkers();
  m_pending = false;
}
