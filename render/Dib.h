#pragma once
// The in-memory picture: a 24-bit (B, G, R) or 8-bit bitmap whose header, optional colour table
// and pixel rows lie in one block, rows top-down and padded to 4 bytes, little-endian throughout.
// The block layout is the one the platform's device-independent bitmap calls take unchanged.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

class CDib {
 public:
  static constexpr int32_t kHeaderSize = 40;
  static constexpr int32_t kBitsOffset24 = 44;   // header + 4 zero bytes
  static constexpr int32_t kBitsOffset8 = 1068;  // header + 1024-byte colour table + 4 zero bytes
  // Pictures read from files are at most this many pixels across and down.
  static constexpr int32_t kMaxFileSide = 16384;

  CDib() = default;
  virtual ~CDib() = default;
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  // Frees any block and makes a new one (pixel rows not cleared); 1, or 0 for a non-positive
  // size, a block that would not fit 32 bits, or no memory.
  int Create(int32_t width, int32_t height, bool is24Bit);
  void Free();
  // Makes this an exact copy of the source, reusing the block when the headers agree; an empty
  // source empties this. 1, or 0 when memory runs out.
  int CopyFrom(const CDib& source);

  // Reads an uncompressed 24-bit BMP file from the current position (data offset counted from
  // the start of the file). Refuses anything else, and any size the file cannot hold. 1 or 0.
  int ReadFromFile(FILE* file);
  // Writes a BMP file (bottom-up rows, 8-bit with the block's colour table); 1, or 0 when there
  // is no block or a write fails.
  int WriteToFile(FILE* file) const;
  // Writes the BMP file through an atomic save; the previous file stays on failure.
  int SaveBmp(const std::string& path) const;

  bool HasBlock() const { return m_block != nullptr; }
  int32_t GetWidth() const { return m_width; }
  int32_t GetHeight() const { return m_height; }
  int32_t GetStride() const { return m_stride; }
  int32_t GetBlockSize() const { return m_blockSize; }
  bool Is24Bit() const;
  uint8_t* GetBits() { return const_cast<uint8_t*>(std::as_const(*this).GetBits()); }
  const uint8_t* GetBits() const;
  uint8_t* GetRow(int32_t row) { return GetBits() + static_cast<size_t>(row) * m_stride; }
  const uint8_t* GetRow(int32_t row) const { return GetBits() + static_cast<size_t>(row) * m_stride; }
  // The block: header followed by the colour table.
  const uint8_t* GetBitmapInfo() const { return m_block.get(); }
  uint8_t* GetBitmapInfo() { return m_block.get(); }

  // Bytes per row for a width: 3 x width (24-bit) or width, rounded up to 4; -1 when too wide.
  static int64_t RowStride(int64_t width, bool is24Bit);

 private:
  int32_t m_height = 0;
  int32_t m_width = 0;
  int32_t m_stride = 0;
  int32_t m_blockSize = 0;
  std::unique_ptr<uint8_t[]> m_block;
};

// A new 24-bit picture holding the rectangle of a 24-bit source; null when the source has no
// block or is not 24-bit, the rectangle is empty or leaves the source, or memory runs out.
std::unique_ptr<CDib> SplitDib(const CDib& source, int32_t x, int32_t y, int32_t width, int32_t height);
// The whole source resampled to the given size by nearest pixel (each target pixel takes the
// source pixel under its top-left corner, as a device's colour-on-colour stretch does); same bit
// depth as the source; null as above.
std::unique_ptr<CDib> StretchDib(const CDib& source, int32_t width, int32_t height);
