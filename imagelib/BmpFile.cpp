// BMP files: "BM" with a 40-byte (or larger) information header; 1, 4, 8 and 24 bits per pixel,
// uncompressed or run-length encoded (RLE8, RLE4). Written uncompressed.
#include <cstring>
#include <vector>

#include "imagelib/Image.h"
#include "imagelib/OutputFile.h"

namespace tolvo {
namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// A byte that cannot be read (end of file) reads as 0 inside a run-length stream.
uint8_t ReadByteOrZero(FILE* in) {
  int c = std::fgetc(in);
  return c == EOF ? 0 : static_cast<uint8_t>(c);
}

enum class RowResult { Done, EndOfBitmap, Fail };

// Decodes one row of an RLE8 (bits 8) or RLE4 (bits 4) stream into row[0..width), which is still
// zero from the allocation (pixels not coded stay 0).
RowResult DecodeRleRow(FILE* in, uint8_t* row, uint32_t width, int bits) {
  uint32_t x = 0;
  for (;;) {
    uint8_t n = ReadByteOrZero(in);
    uint8_t c = ReadByteOrZero(in);
    if (n > 0) {
      for (uint32_t i = 0; i < n && x < width; ++i)
        row[x++] = bits == 8 ? c : ((i & 1) ? (c & 0x0F) : (c >> 4));
      continue;
    }
    if (c == 0) return RowResult::Done;
    if (c == 1) return RowResult::EndOfBitmap;
    if (c == 2) return RowResult::Fail;  // delta: not supported
    // Absolute run of c pixels, padded to an even byte count.
    uint32_t bytes = bits == 8 ? c : (c + 1u) / 2u;
    bytes = (bytes + 1u) & ~1u;
    for (uint32_t i = 0, pixel = 0; i < bytes; ++i) {
      uint8_t b = ReadByteOrZero(in);
      if (bits == 8) {
        if (pixel < c && x < width) row[x++] = b;
        ++pixel;
      } else {
        for (int half = 0; half < 2; ++half, ++pixel)
          if (pixel < c && x < width) row[x++] = half == 0 ? b >> 4 : b & 0x0F;
      }
    }
  }
}

}  // namespace

imImage* LoadBmp(FILE* in) {
  uint8_t head[54];
  if (std::fread(head, 1, sizeof head, in) != sizeof head) return nullptr;
  if (head[0] != 'B' || head[1] != 'M') return nullptr;
  uint32_t dataOffset = Le32(head + 10);
  uint32_t headerSize = Le32(head + 14);
  uint32_t width = Le32(head + 18);   // full 32 bits: a width of 65538 is not 2
  uint32_t height = Le32(head + 22);  // a negative (top-down) height is a huge value: refused
  uint16_t bits = Le16(head + 28);
  uint32_t compression = Le32(head + 30);
  if (headerSize < 40) return nullptr;  // the small OS/2 header lays its fields out differently
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return nullptr;
  if (compression > 2) return nullptr;
  // Run-length codes fit only their own depth.
  if ((compression == 1 && bits != 8) || (compression == 2 && bits != 4)) return nullptr;
  if (width < 2 || height < 2 || width > kImMaxSide || height > kImMaxSide) return nullptr;
  bool palette = bits != 24;
  uint32_t colors = palette ? 1u << bits : 0;
  imImage* image = AllocImage(width, height, colors, palette ? kImPalette : kImTrueColor);
  if (!image) return nullptr;
  if (palette) {
    // The colour table follows the information header, whatever its size.
    if (std::fseek(in, 14 + static_cast<long>(headerSize), SEEK_SET) != 0) {
      FreeImage(image);
      return nullptr;
    }
    std::vector<uint8_t> table(colors * 4);
    if (std::fread(table.data(), 1, table.size(), in) != table.size()) {
      FreeImage(image);
      return nullptr;
    }
    for (uint32_t i = 0; i < colors; ++i) {
      image->palette[i * 3 + 0] = table[i * 4 + 2];
      image->palette[i * 3 + 1] = table[i * 4 + 1];
      image->palette[i * 3 + 2] = table[i * 4 + 0];
    }
  }
  image->resolutionX = image->resolutionY = 0;
  image->aspectX = image->aspectY = 0;
  if (std::fseek(in, static_cast<long>(dataOffset), SEEK_SET) != 0) {
    FreeImage(image);
    return nullptr;
  }
  SetRowOrderFlag(image, 0);

  uint32_t fileRow = 0;
  if (bits == 1) fileRow = (width + 7) / 8;
  else if (bits == 4) fileRow = (width + 1) / 2;
  else fileRow = bits == 8 ? width : width * 3;
  fileRow = (fileRow + 3) & ~3u;
  std::vector<uint8_t> buffer(fileRow);
  bool endOfBitmap = false;
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = image->pixels + static_cast<size_t>(y) * image->stride;
    if (compression != 0) {
      if (endOfBitmap) continue;  // the block is already zero
      RowResult r = DecodeRleRow(in, row, width, bits);
      if (r == RowResult::Fail) {
        FreeImage(image);
        return nullptr;
      }
      endOfBitmap = r == RowResult::EndOfBitmap;
      continue;
    }
    if (std::fread(buffer.data(), 1, fileRow, in) != fileRow) {
      if (y == 0) {
        FreeImage(image);
        return nullptr;
      }
      break;  // a truncated file gives the rows read so far
    }
    if (bits == 1) {
      for (uint32_t x = 0; x < width; ++x) row[x] = (buffer[x / 8] >> (7 - x % 8)) & 1;
    } else if (bits == 4) {
      for (uint32_t x = 0; x < width; ++x) row[x] = (x & 1) ? buffer[x / 2] & 0x0F : buffer[x / 2] >> 4;
    } else {
      std::memcpy(row, buffer.data(), bits == 8 ? width : width * 3);
    }
  }
  return image;
}

namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

}  // namespace

int SaveBmp(const char* path, const imImage* image) {
  if (!image || !image->pixels) return 0;
  bool palette = !IsTrueColor(image);
  // A BMP colour table holds at most 256 entries; a larger palette cannot be written.
  if (palette && (image->colorCount > 256 || !image->palette)) return 0;
  uint32_t bits = 24, offset = 54;
  if (palette) {
    if (image->colorCount <= 2) bits = 1, offset = 62;
    else if (image->colorCount <= 16) bits = 4, offset = 118;
    else bits = 8, offset = 1078;
  }
  uint32_t w = image->width, h = image->height;
  uint32_t provisional = bits == 1 ? w * h / 8 : bits == 4 ? w * h / 2 : bits == 24 ? w * h * 3 : w * h;
  uint32_t rowBytes = bits == 1 ? (w + 7) / 8 : bits == 4 ? (w + 1) / 2 : bits == 8 ? w : w * 3;
  uint32_t padded = (rowBytes + 3) & ~3u;
  uint32_t dataBytes = padded * h;

  uint8_t head[54] = {'B', 'M'};
  Put32(head + 10, offset);
  Put32(head + 14, 40);
  Put32(head + 18, w);
  Put32(head + 22, h);
  Put16(head + 26, 1);
  Put16(head + 28, bits);
  Put32(head + 30, 0);
  Put32(head + 34, provisional);
  Put32(head + 38, image->resolutionX);
  Put32(head + 42, image->resolutionY);
  Put32(head + 46, image->colorCount);
  Put32(head + 50, image->colorCount);

  COutputFile out;
  FILE* f = out.Open(path);
  if (!f) return 0;
  std::fwrite(head, 1, sizeof head, f);
  if (palette) {
    uint32_t entries = 1u << bits;
    std::vector<uint8_t> table(entries * 4, 0);
    for (uint32_t i = 0; i < image->colorCount; ++i) {
      table[i * 4 + 0] = image->palette[i * 3 + 2];
      table[i * 4 + 1] = image->palette[i * 3 + 1];
      table[i * 4 + 2] = image->palette[i * 3 + 0];
    }
    std::fwrite(table.data(), 1, table.size(), f);
  }
  std::vector<uint8_t> row(padded);
  for (uint32_t i = 0; i < h; ++i) {
    // The file's first row is the picture's bottom row.
    const uint8_t* src = PictureRow(image, h - 1 - i);
    std::fill(row.begin(), row.end(), 0);
    if (bits == 24 || bits == 8) {
      std::memcpy(row.data(), src, rowBytes);
    } else if (bits == 4) {
      for (uint32_t x = 0; x < w; ++x) row[x / 2] |= (src[x] & 0x0F) << ((x & 1) ? 0 : 4);
    } else {
      for (uint32_t x = 0; x < w; ++x) row[x / 8] |= (src[x] & 1) << (7 - x % 8);
    }
    if (std::fwrite(row.data(), 1, padded, f) != padded) return 0;
  }
  uint8_t size[4];
  Put32(size, offset + dataBytes);
  if (std::fseek(f, 2, SEEK_SET) != 0 || std::fwrite(size, 1, 4, f) != 4) return 0;
  Put32(size, dataBytes);
  if (std::fseek(f, 34, SEEK_SET) != 0 || std::fwrite(size, 1, 4, f) != 4) return 0;
  return out.Commit() ? 1 : 0;
}

}  // namespace tolvo
