#pragma once
// A part image: a small off-screen picture of one library part under one view rotation that
// keeps, per pixel, a depth and a shade byte instead of a colour, so that every copy of the part
// can be stamped into the frame in its own colours. Its blocks come from theRenderCache.
// The renderer fills and stamps it (C3DStub::Draw...ToCache, DrawCachedPart); the model file
// that owns it decides when to use it.
#include <atomic>
#include <cstdint>

#include "config/Geometry.h"

class C3DStub;

// Everything that changes the picture: the rotation and the renderer's drawing modes. An image
// made under one key is never used under another.
struct PartImageKey {
  CMatrix3 rotation;
  bool surfacesOff = false;
  bool boundingBoxMode = false;
  bool shading = true;
  int32_t lineWidth = 1;
  double depthScale = 0;
  // What the model's drawing puts into the image beside the renderer's modes (stud replacement):
  // an image made with studs replaced must not serve a drawing with real studs.
  int32_t content = 0;
  // The key of the renderer's current state for a rotation.
  static PartImageKey Of(const C3DStub& renderer, const CMatrix3& rotation);
  // Byte for byte, so that a rotation changed in any bit differs.
  bool SameAs(const PartImageKey& other) const;
};

class CFakeBuffer {
 public:
  static constexpr uint8_t kEmpty = 250, kMainLine = 254, kEdgeLine = 255, kUnshaded = 128;
  static constexpr int32_t kBorder = 8;
  // Images of this many pixels or more are never made.
  static constexpr int32_t kPixelLimit = 131070;

  CFakeBuffer() = default;
  virtual ~CFakeBuffer() { Free(); }
  CFakeBuffer(const CFakeBuffer&) = delete;
  CFakeBuffer& operator=(const CFakeBuffer&) = delete;

  // An empty image of (w + 8) x (h + 8) for the key. 0 (and the image freed) when the part is
  // empty, more than half the frame in either direction, too large, or memory runs out. Blocks of
  // at least the needed size and at most twice it are reused.
  int Create(int32_t w, int32_t h, int32_t frameWidth, int32_t frameHeight, const PartImageKey& key);
  // 1 when the image cannot serve this frame: other key, no size, or wider or taller than half it.
  int IsInvalid(const PartImageKey& key, int32_t frameWidth, int32_t frameHeight) const;
  void Clear();
  void Free();
  // Serves no key until the next Create, which reuses the block when its size fits.
  void Forget();

  int32_t GetWidth() const { return m_width; }
  int32_t GetHeight() const { return m_height; }
  int32_t GetCapacity() const { return m_capacity; }
  int32_t* GetDepth() { return m_depth; }
  uint8_t* GetShade() { return m_shade; }
  const int32_t* GetDepth() const { return m_depth; }
  const uint8_t* GetShade() const { return m_shade; }
  CVector3 origin;  // in transformed coordinates; kept by the model file that draws the part

  // A renderer that has handed a stamp of this image to its worker threads marks it (true when
  // the mark is new); before the image changes or goes, that renderer finishes its drawing.
  bool MarkStamped(const C3DStub* renderer) const;
  void ClearStamped() const { m_stampedBy = nullptr; }

  // Bytes of all part images' blocks (5 per pixel of capacity).
  static uint64_t GetTotalBytes() { return theTotal; }

 private:
  // Images are made on several threads (bands of a frame, panes drawn at the same time).
  static inline std::atomic<uint64_t> theTotal{0};
  int32_t m_capacity = 0;
  int32_t m_width = 0, m_height = 0;
  int32_t* m_depth = nullptr;
  uint8_t* m_shade = nullptr;
  PartImageKey m_key;
  mutable const C3DStub* m_stampedBy = nullptr;

  void FinishStamps() const;
};
