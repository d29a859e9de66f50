#include "app/PictureFile.h"

#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/palette.h>
#include <wx/quantize.h>

#include <cstdio>
#include <map>

#include "dialogs/DibBitmap.h"
#include "config/StringUtils.h"
#include "platform/AtomicFile.h"

namespace {

// The encoder of a format word (any case); null when the word is none of the five or its
// encoder is not installed. wxWidgets registers BMP as "image/x-bmp", so the word, not the MIME
// text, picks the encoder.
wxImageHandler* FindEncoder(const std::string& formatWord) {
  static const std::pair<const char*, wxBitmapType> kTypes[] = {
      {"bmp", wxBITMAP_TYPE_BMP}, {"jpeg", wxBITMAP_TYPE_JPEG}, {"gif", wxBITMAP_TYPE_GIF},
      {"png", wxBITMAP_TYPE_PNG}, {"tiff", wxBITMAP_TYPE_TIFF}};
  const std::string word = ToLowerAscii(formatWord);
  for (const auto& [name, type] : kTypes)
    if (word == name) return wxImage::FindHandler(type);
  return nullptr;
}

// A palette of the picture's own colours when it has at most 256 of them (nothing is lost),
// else the quantiser's best 256.
wxImage ToPaletteImage(const wxImage& image) {
  std::map<uint32_t, int> colours;
  const unsigned char* p = image.GetData();
  const size_t n = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
  for (size_t i = 0; i < n && colours.size() <= 256; ++i, p += 3)
    colours.emplace((uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2], 0);
  if (colours.size() <= 256) {
    std::vector<unsigned char> r, g, b;
    for (auto& [rgb, index] : colours) {
      index = static_cast<int>(r.size());
      r.push_back(static_cast<unsigned char>(rgb >> 16));
      g.push_back(static_cast<unsigned char>(rgb >> 8));
      b.push_back(static_cast<unsigned char>(rgb));
    }
    wxImage copy = image.Copy();
    copy.SetPalette(wxPalette(static_cast<int>(r.size()), r.data(), g.data(), b.data()));
    return copy;
  }
  wxImage quantised;
  if (!wxQuantize::Quantize(image, quantised, 256, nullptr, wxQUANTIZE_FILL_DESTINATION_IMAGE)) return image;
  return quantised;
}

}  // namespace

bool HasPictureEncoder(const std::string& formatWord) { return FindEncoder(formatWord) != nullptr; }

int SavePictureFile(const std::string& path, const CDib& dib, const std::string& formatWord) {
  if (!dib.HasBlock() || !dib.Is24Bit()) return 0;
  wxImageHandler* handler = FindEncoder(formatWord);
  if (!handler) return 0;
  wxImage image = DibToImage(dib);
  if (!image.IsOk()) return 0;
  if (handler->GetType() == wxBITMAP_TYPE_GIF) image = ToPaletteImage(image);
  wxMemoryOutputStream encoded;
  if (!image.SaveFile(encoded, handler->GetType())) return 0;
  const size_t size = encoded.GetSize();
  std::vector<char> bytes(size);
  if (size && encoded.CopyTo(bytes.data(), size) != size) return 0;
  CAtomicFile file;
  FILE* out = file.Open(path);
  if (!out) return 0;
  if (size && std::fwrite(bytes.data(), 1, size, out) != size) return 0;
  return file.Commit() ? 1 : 0;
}
