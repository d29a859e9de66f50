#include "render/Dib.h"

#include <cstring>
#include <limits>
#include <new>

#include "config/Tracer.h"
#include "platform/AtomicFile.h"

namespace {

// Fields are written and read byte by byte so that the layout never depends on the host.
void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t GetI32(const uint8_t* p) { return static_cast<int32_t>(GetU32(p)); }

constexpr int kFileHeaderSize = 14;
// BMP files state their resolution in pixels per metre; 2835 is 72 dots per inch.
constexpr uint32_t kFilePixelsPerMetre = 2835;

}  // namespace

int64_t CDib::RowStride(int64_t width, bool is24Bit) {
  if (width < 0 || width > std::numeric_limits<int32_t>::max()) return -1;
  const int64_t bytes = is24Bit ? width * 3 : width;
  return (bytes + 3) / 4 * 4;
}

int CDib::Create(int32_t width, int32_t height, bool is24Bit) {
  Free();
  if (width <= 0 || height <= 0) return 0;
  const int64_t stride = RowStride(width, is24Bit);
  const int64_t imageSize = stride * height;  // both below 2^33: no overflow in 64 bits
  const int64_t offset = is24Bit ? kBitsOffset24 : kBitsOffset8;
  if (stride < 0 || imageSize + offset > std::numeric_limits<int32_t>::max()) return 0;
  const int32_t blockSize = static_cast<int32_t>(imageSize + offset);
  m_block.reset(new (std::nothrow) uint8_t[static_cast<size_t>(blockSize)]);
  if (!m_block) return 0;

  uint8_t* h = m_block.get();
  std::memset(h, 0, static_cast<size_t>(offset));
  PutU32(h + 0, kHeaderSize);
  PutU32(h + 4, static_cast<uint32_t>(width));
  PutU32(h + 8, static_cast<uint32_t>(-height));  // negative: the first row is the top row
  PutU16(h + 12, 1);
  PutU16(h + 14, is24Bit ? 24 : 8);
  PutU32(h + 16, 0);
  PutU32(h + 20, static_cast<uint32_t>(imageSize));
  // The resolution fields carry the size, as the callers of the platform expect.
  PutU32(h + 24, static_cast<uint32_t>(width));
  PutU32(h + 28, static_cast<uint32_t>(height));
  PutU32(h + 32, is24Bit ? 0 : 256);
  PutU32(h + 36, is24Bit ? 0 : 256);

  m_width = width;
  m_height = height;
  m_stride = static_cast<int32_t>(stride);
  m_blockSize = blockSize;
  return 1;
}

void CDib::Free() {
  m_block.reset();
  m_blockSize = 0;
  m_width = m_height = m_stride = 0;
}

bool CDib::Is24Bit() const { return m_block && GetU16(m_block.get() + 14) == 24; }

const uint8_t* CDib::GetBits() const {
  if (!m_block) return nullptr;
  return m_block.get() + (Is24Bit() ? kBitsOffset24 : kBitsOffset8);
}

int CDib::CopyFrom(const CDib& source) {
  if (&source == this) return 1;
  if (!source.m_block) {
    Free();
    return 1;
  }
  if (m_block && std::memcmp(m_block.get(), source.m_block.get(), kHeaderSize) != 0) Free();
  if (!m_block && !Create(source.m_width, source.m_height, source.Is24Bit())) return 0;
  std::memcpy(m_block.get(), source.m_block.get(), static_cast<size_t>(m_blockSize));
  return 1;
}

int CDib::ReadFromFile(FILE* file) {
  if (!file) {
    theTracer.Printf("ERROR: CDib::ReadFromFile called with NULL pointer!\n");
    return 0;
  }
  // The file's length bounds every offset and size below before anything is allocated.
  const long start = std::ftell(file);
  if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long fileSize = std::ftell(file);
  if (fileSize < 0 || std::fseek(file, start, SEEK_SET) != 0) return 0;

  uint8_t head[kFileHeaderSize + kHeaderSize];
  if (std::fread(head, 1, sizeof head, file) != sizeof head) return 0;
  if (head[0] != 'B' || head[1] != 'M') return 0;
  const uint32_t dataOffset = GetU32(head + 10);
  const uint8_t* info = head + kFileHeaderSize;
  // Later versions of the information header (52, 56, 108, 124 bytes) begin with the same 40
  // bytes; the pixels are found through the data offset either way.
  const uint32_t infoSize = GetU32(info + 0);
  const int32_t width = GetI32(info + 4);
  const int32_t height = GetI32(info + 8);
  if (infoSize < static_cast<uint32_t>(kHeaderSize) || infoSize > 0x10000) return 0;
  if (GetU16(info + 12) != 1 || GetU16(info + 14) != 24 || GetU32(info + 16) != 0) return 0;
  // A negative height (top-down file) is refused like any other unusual layout.
  if (width <= 0 || height <= 0 || width > kMaxFileSide || height > kMaxFileSide) return 0;

  const int64_t stride = RowStride(width, true);
  const int64_t pixelBytes = stride * height;
  const int64_t headerEnd = static_cast<int64_t>(start) + kFileHeaderSize + infoSize;
  if (dataOffset < headerEnd || static_cast<int64_t>(dataOffset) + pixelBytes > fileSize) return 0;

  if (!Create(width, height, true)) return 0;
  if (std::fseek(file, static_cast<long>(dataOffset), SEEK_SET) != 0) {
    Free();
    return 0;
  }
  // The file's first row is the bottom row of the picture.
  for (int32_t i = 0; i < height; ++i) {
    if (std::fread(GetRow(height - 1 - i), 1, static_cast<size_t>(stride), file) !=
        static_cast<size_t>(stride)) {
      Free();
      return 0;
    }
  }
  return 1;
}

int CDib::WriteToFile(FILE* file) const {
  if (!file || !m_block) return 0;
  const bool is24 = Is24Bit();
  const uint32_t tableSize = is24 ? 0 : 1024;
  const uint32_t dataOffset = kFileHeaderSize + kHeaderSize + tableSize;
  const uint32_t imageSize = static_cast<uint32_t>(m_stride) * static_cast<uint32_t>(m_height);

  uint8_t head[kFileHeaderSize + kHeaderSize] = {};
  head[0] = 'B';
  head[1] = 'M';
  PutU32(head + 2, dataOffset + imageSize);
  PutU32(head + 10, dataOffset);
  uint8_t* info = head + kFileHeaderSize;
  PutU32(info + 0, kHeaderSize);
  PutU32(info + 4, static_cast<uint32_t>(m_width));
  PutU32(info + 8, static_cast<uint32_t>(m_height));  // positive: rows bottom-up
  PutU16(info + 12, 1);
  PutU16(info + 14, is24 ? 24 : 8);
  PutU32(info + 16, 0);
  PutU32(info + 20, imageSize);
  PutU32(info + 24, kFilePixelsPerMetre);
  PutU32(info + 28, kFilePixelsPerMetre);
  PutU32(info + 32, is24 ? 0 : 256);
  PutU32(info + 36, is24 ? 0 : 256);
  if (std::fwrite(head, 1, sizeof head, file) != sizeof head) return 0;
  if (!is24 && std::fwrite(m_block.get() + kHeaderSize, 1, tableSize, file) != tableSize) return 0;
  // Row padding is written as zeros: the block's padding bytes are never initialised.
  const size_t used = static_cast<size_t>(m_width) * (is24 ? 3 : 1);
  const size_t padding = static_cast<size_t>(m_stride) - used;
  const uint8_t zeros[4] = {};
  for (int32_t i = m_height - 1; i >= 0; --i)
    if (std::fwrite(GetRow(i), 1, used, file) != used || std::fwrite(zeros, 1, padding, file) != padding)
      return 0;
  return 1;
}

int CDib::SaveBmp(const std::string& path) const {
  if (!m_block) return 0;
  CAtomicFile out;
  FILE* f = out.Open(path);
  if (!f) return 0;
  if (!WriteToFile(f)) return 0;  // the destructor discards the temporary file
  return out.Commit() ? 1 : 0;
}

std::unique_ptr<CDib> SplitDib(const CDib& source, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!source.HasBlock() || !source.Is24Bit()) return nullptr;
  if (x < 0 || y < 0 || width <= 0 || height <= 0) return nullptr;
  if (static_cast<int64_t>(x) + width > source.GetWidth() ||
      static_cast<int64_t>(y) + height > source.GetHeight())
    return nullptr;
  auto dib = std::make_unique<CDib>();
  if (!dib->Create(width, height, true)) return nullptr;
  for (int32_t i = 0; i < height; ++i)
    std::memcpy(dib->GetRow(i), source.GetRow(y + i) + 3 * static_cast<size_t>(x),
                3 * static_cast<size_t>(width));
  return dib;
}

std::unique_ptr<CDib> StretchDib(const CDib& source, int32_t width, int32_t height) {
  if (!source.HasBlock() || width <= 0 || height <= 0) return nullptr;
  const bool is24 = source.Is24Bit();
  auto dib = std::make_unique<CDib>();
  if (!dib->Create(width, height, is24)) return nullptr;
  if (!is24)
    std::memcpy(dib->GetBitmapInfo() + CDib::kHeaderSize, source.GetBitmapInfo() + CDib::kHeaderSize, 1024);
  const int64_t sw = source.GetWidth(), sh = source.GetHeight();
  const size_t bpp = is24 ? 3 : 1;
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* src = source.GetRow(static_cast<int32_t>(row * sh / height));
    uint8_t* dst = dib->GetRow(row);
    for (int32_t col = 0; col < width; ++col) {
      const uint8_t* s = src + static_cast<size_t>(col * sw / width) * bpp;
      for (size_t k = 0; k < bpp; ++k) *dst++ = s[k];
    }
  }
  return dib;
}
