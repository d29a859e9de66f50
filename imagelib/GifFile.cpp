// GIF files: the first image of a file is read as a palette image; one palette image of at most
// 256 colours is written as GIF87a. Pixel data is LZW-compressed in sub-blocks of up to 255 bytes.
#include <cstring>
#include <memory>
#include <vector>

#include "imagelib/Image.h"
#include "imagelib/OutputFile.h"

namespace tolvo {
namespace {

constexpr int kMaxCodes = 4096;

// Reads LZW codes, least significant bit first, from the concatenated data sub-blocks.
class CGifDecoder {
 public:
  CGifDecoder(FILE* in, int minCodeSize) : m_in(in), m_min(minCodeSize) {
    m_clear = 1 << m_min;
    m_end = m_clear + 1;
    Reset();
    m_pendingClear = true;  // start as if a clear code had just been read
  }

  bool Ended() const { return m_ended; }

  // The next pixel; 0 once the data has ended.
  int NextPixel() {
    if (m_sp > 0) return m_stack[--m_sp];
    if (m_ended) return 0;
    if (m_pendingClear) return AfterClear();
    int code = ReadCode();
    if (code < 0 || code == m_end) return End();
    if (code == m_clear) return AfterClear();
    int incode = code;
    if (code >= m_free) {
      // The previous string plus its own first byte; a code past the table is taken as 0.
      if (code > m_free) incode = 0;
      Push(m_first);
      code = m_prev;
    }
    while (code >= m_clear && m_sp < kMaxCodes) {
      Push(m_suffix[code]);
      code = m_prefix[code];
    }
    m_first = code & 0xFF;
    Push(static_cast<uint8_t>(m_first));
    if (m_free < kMaxCodes) {
      m_prefix[m_free] = static_cast<uint16_t>(m_prev);
      m_suffix[m_free] = static_cast<uint8_t>(m_first);
      ++m_free;
      if (m_free >= (1 << m_width) && m_width < 12) ++m_width;
    }
    m_prev = incode;
    return m_stack[--m_sp];
  }

 private:
  void Reset() {
    m_width = m_min + 1;
    m_free = m_clear + 2;
  }
  void Push(uint8_t v) {
    if (m_sp < kMaxCodes) m_stack[m_sp++] = v;
  }
  int AfterClear() {
    m_pendingClear = false;
    Reset();
    int code;
    do code = ReadCode();
    while (code == m_clear);
    if (code < 0) return End();
    if (code > m_clear) code = 0;
    m_prev = m_first = code;
    return code;
  }
  int End() {
    m_ended = true;
    SkipBlocks();
    return 0;
  }
  // Skips the remaining sub-blocks up to the block terminator.
  void SkipBlocks() {
    while (m_blockLeft > 0 && std::fgetc(m_in) != EOF) --m_blockLeft;
    if (m_sawTerminator) return;
    for (;;) {
      int n = std::fgetc(m_in);
      if (n <= 0) return;
      for (int i = 0; i < n; ++i)
        if (std::fgetc(m_in) == EOF) return;
    }
  }
  int ReadByte() {
    if (m_blockLeft == 0) {
      int n = std::fgetc(m_in);
      if (n <= 0) {
        m_sawTerminator = n == 0;
        return -1;
      }
      m_blockLeft = n;
    }
    int c = std::fgetc(m_in);
    if (c == EOF) return -1;
    --m_blockLeft;
    return c;
  }
  int ReadCode() {
    while (m_bitCount < m_width) {
      int c = ReadByte();
      if (c < 0) return -1;
      m_bits |= static_cast<uint32_t>(c) << m_bitCount;
      m_bitCount += 8;
    }
    int code = static_cast<int>(m_bits & ((1u << m_width) - 1));
    m_bits >>= m_width;
    m_bitCount -= m_width;
    return code;
  }

  FILE* m_in;
  int m_min, m_clear = 0, m_end = 0, m_width = 0, m_free = 0;
  int m_prev = 0, m_first = 0;
  bool m_pendingClear = false, m_ended = false, m_sawTerminator = false;
  int m_blockLeft = 0;
  uint32_t m_bits = 0;
  int m_bitCount = 0;
  uint16_t m_prefix[kMaxCodes] = {};
  uint8_t m_suffix[kMaxCodes] = {};
  uint8_t m_stack[kMaxCodes] = {};
  int m_sp = 0;
};

bool SkipSubBlocks(FILE* in) {
  for (;;) {
    int n = std::fgetc(in);
    if (n == EOF) return false;
    if (n == 0) return true;
    if (std::fseek(in, n, SEEK_CUR) != 0) return false;
  }
}

// The rows of the file in the order the data holds them (the four passes when interlaced).
std::vector<uint32_t> RowOrder(uint32_t height, bool interlaced) {
  std::vector<uint32_t> order;
  order.reserve(height);
  if (!interlaced) {
    for (uint32_t y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  const uint32_t start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (uint32_t y = start[pass]; y < height; y += step[pass]) order.push_back(y);
  return order;
}

}  // namespace

imImage* LoadGif(FILE* in) {
  imImage* image = nullptr;
  auto fail = [&]() -> imImage* {
    FreeImage(image);
    return nullptr;
  };
  uint8_t header[13];
  if (std::fread(header, 1, sizeof header, in) != sizeof header) return fail();
  if (std::memcmp(header, "GIF", 3) != 0) return fail();
  uint8_t screenPacked = header[10];
  uint8_t aspect = header[12];
  std::vector<uint8_t> table;
  if (screenPacked & 0x80) {
    table.resize(3u * (2u << (screenPacked & 7)));
    if (std::fread(table.data(), 1, table.size(), in) != table.size()) return fail();
  }
  for (;;) {
    int c = std::fgetc(in);
    if (c == EOF || c == ';') return fail();
    if (c == ',') break;
    if (c == '!') {
      if (std::fgetc(in) == EOF || !SkipSubBlocks(in)) return fail();
    }
  }
  uint8_t desc[9];
  if (std::fread(desc, 1, sizeof desc, in) != sizeof desc) return fail();
  uint32_t width = desc[4] | desc[5] << 8;
  uint32_t height = desc[6] | desc[7] << 8;
  bool interlaced = (desc[8] & 0x40) != 0;
  if (desc[8] & 0x80) {
    table.resize(3u * (2u << (desc[8] & 7)));
    if (std::fread(table.data(), 1, table.size(), in) != table.size()) return fail();
  }
  uint32_t colors = table.empty() ? 2u << (screenPacked & 7) : static_cast<uint32_t>(table.size() / 3);
  int minCodeSize = std::fgetc(in);
  // The decoder's tables hold 4096 codes of at most 12 bits: larger start sizes cannot be valid.
  if (minCodeSize < 1 || minCodeSize > 11) return fail();
  image = AllocImage(width, height, colors, kImPalette);
  if (!image) return fail();
  if (table.empty()) {
    // A file without any colour table: a grey ramp rather than undefined colours.
    for (uint32_t i = 0; i < colors; ++i)
      std::memset(image->palette + i * 3, static_cast<int>(i * 255 / (colors - 1)), 3);
  } else {
    std::memcpy(image->palette, table.data(), table.size());
  }
  if (aspect == 0 || aspect == 49) {
    image->aspectX = 4;
    image->aspectY = 3;
  }
  SetRowOrderFlag(image, 0);
  auto decoder = std::make_unique<CGifDecoder>(in, minCodeSize);
  for (uint32_t fileRow : RowOrder(height, interlaced)) {
    uint8_t* row = image->pixels + static_cast<size_t>(height - 1 - fileRow) * image->stride;
    for (uint32_t x = 0; x < width; ++x) {
      int pixel = decoder->NextPixel();
      // Indexes past the colour table (a large code size with a small table) become index 0.
      row[x] = static_cast<uint32_t>(pixel) < colors ? static_cast<uint8_t>(pixel) : 0;
    }
    if (decoder->Ended()) break;
  }
  return image;
}

namespace {

constexpr int kHashSize = 5003;

// Packs codes least significant bit first into sub-blocks of at most 255 bytes.
class CGifEncoder {
 public:
  CGifEncoder(FILE* out, int minCodeSize) : m_out(out), m_min(minCodeSize) {
    m_clear = 1 << m_min;
    m_end = m_clear + 1;
  }

  void Compress(const imImage* image) {
    ClearTable();
    m_width = m_min + 1;
    m_free = m_clear + 2;
    Output(m_clear);
    bool started = false;
    int ent = 0;
    for (uint32_t y = 0; y < image->height; ++y) {
      const uint8_t* row = PictureRow(image, y);
      for (uint32_t x = 0; x < image->width; ++x) {
        int c = row[x];
        if (!started) {
          ent = c;
          started = true;
          continue;
        }
        int i = c * 16 + ent;
        if (i > kHashSize - 1) i -= kHashSize;
        bool found = false;
        while (m_codes[i] != 0) {
          if (m_prefixes[i] == ent && m_chars[i] == c) {
            ent = m_codes[i];
            found = true;
            break;
          }
          int disp = i == 0 ? 1 : kHashSize - i;
          i -= disp;
          if (i < 0) i += kHashSize;
        }
        if (found) continue;
        Output(ent);
        if (m_free <= 4095) {
          m_codes[i] = static_cast<uint16_t>(m_free++);
          m_prefixes[i] = static_cast<uint16_t>(ent);
          m_chars[i] = static_cast<uint8_t>(c);
        } else {
          Output(m_clear);
          ClearTable();
          m_free = m_clear + 2;
          m_width = m_min + 1;
        }
        ent = c;
      }
    }
    Output(ent);
    Output(m_end);
    if (m_bitCount > 0) PutByte(static_cast<uint8_t>(m_bits));
    FlushBlock();
  }

 private:
  void ClearTable() { std::memset(m_codes, 0, sizeof m_codes); }
  void Output(int code) {
    m_bits |= static_cast<uint32_t>(code) << m_bitCount;
    m_bitCount += m_width;
    while (m_bitCount >= 8) {
      PutByte(static_cast<uint8_t>(m_bits));
      m_bits >>= 8;
      m_bitCount -= 8;
    }
    if (m_free > (1 << m_width) - 1 && m_width < 12) ++m_width;
  }
  void PutByte(uint8_t b) {
    m_block[m_blockSize++] = b;
    if (m_blockSize == 255) FlushBlock();
  }
  void FlushBlock() {
    if (m_blockSize == 0) return;
    std::fputc(m_blockSize, m_out);
    std::fwrite(m_block, 1, m_blockSize, m_out);
    m_blockSize = 0;
  }

  FILE* m_out;
  int m_min, m_clear, m_end, m_width = 0, m_free = 0;
  uint32_t m_bits = 0;
  int m_bitCount = 0;
  uint8_t m_block[255] = {};
  int m_blockSize = 0;
  uint16_t m_codes[kHashSize] = {};
  uint16_t m_prefixes[kHashSize] = {};
  uint8_t m_chars[kHashSize] = {};
};

void Put16(FILE* f, uint32_t v) {
  std::fputc(static_cast<int>(v & 0xFF), f);
  std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
}

}  // namespace

int SaveGif(const char* path, const imImage* image) {
  if (!image || IsTrueColor(image) || image->colorCount > 256 || !image->palette) return 0;
  COutputFile out;
  FILE* f = out.Open(path);
  if (!f) return 0;
  int b = 1;
  while ((1 << b) < image->colorCount) ++b;
  std::fwrite("GIF87a", 1, 6, f);
  // Pictures that were loaded or made by imAlloc carry no screen size: use the picture's own, as
  // some decoders refuse a 0 x 0 screen.
  Put16(f, image->resolutionX ? image->resolutionX : image->width);
  Put16(f, image->resolutionY ? image->resolutionY : image->height);
  std::fputc(0x80 + (b - 1) * 16 + (b - 1), f);
  std::fputc(0, f);
  std::fputc(0, f);
  std::vector<uint8_t> table(3u << b, 0);
  std::memcpy(table.data(), image->palette, image->colorCount * 3u);
  std::fwrite(table.data(), 1, table.size(), f);
  std::fputc(',', f);
  Put16(f, 0);
  Put16(f, 0);
  Put16(f, image->width);
  Put16(f, image->height);
  std::fputc(0, f);
  int m = b < 2 ? 2 : b;
  std::fputc(m, f);
  auto encoder = std::make_unique<CGifEncoder>(f, m);
  encoder->Compress(image);
  std::fputc(0, f);
  std::fputc(';', f);
  // Every write so far is checked here: a full disk reports failure.
  return out.Commit() ? 1 : 0;
}

}  // namespace tolvo
