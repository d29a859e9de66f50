#include "dialogs/BmpView.h"

#include <wx/dcbuffer.h>

#include "render/Dib.h"

FitResult FitRect(int w, int h, int windowWidth, int windowHeight) {
  // A picture without width or height would divide by zero below; it is shown as none.
  if (w <= 0 || h <= 0 || windowWidth <= 0 || windowHeight <= 0) return {};
  int64_t drawnW = int64_t{w} * windowHeight / h;
  int64_t drawnH = windowHeight;
  if (drawnW > windowWidth) {
    drawnW = windowWidth;
    drawnH = int64_t{h} * windowWidth / w;
  }
  FitResult r;
  r.width = static_cast<int>(drawnW);
  r.height = static_cast<int>(drawnH);
  r.x = (windowWidth - r.width) / 2;
  r.y = (windowHeight - r.height) / 2;
  return r;
}

wxImage DibPreviewImage(const CDib& dib) {
  if (!dib.HasBlock() || dib.GetWidth() <= 0 || dib.GetHeight() <= 0) return {};
  const int w = dib.GetWidth(), h = dib.GetHeight();
  wxImage image(w, h, false);
  unsigned char* out = image.GetData();
  const uint8_t* table = dib.GetBitmapInfo() + CDib::kHeaderSize;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = dib.GetRow(y);
    for (int x = 0; x < w; ++x, out += 3) {
      const uint8_t* bgr = dib.Is24Bit() ? row + 3 * x : table + 4 * row[x];
      out[0] = bgr[2];
      out[1] = bgr[1];
      out[2] = bgr[0];
    }
  }
  return image;
}

CBmpView::CBmpView(wxWindow* parent, wxWindowID id, const wxSize& size)
    : wxWindow(parent, id, wxDefaultPosition, size, wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE, "BmpView") {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CBmpView::OnPaint, this);
}

void CBmpView::SetPicture(const CDib* picture) {
  m_picture = picture;
  m_image = picture ? DibPreviewImage(*picture) : wxImage();
  Refresh();
}

void PaintPreview(wxDC& dc, const wxSize& area, const wxImage& image) {
  FitResult fit = image.IsOk() ? FitRect(image.GetWidth(), image.GetHeight(), area.x, area.y) : FitResult{};
  if (fit.width <= 0 || fit.height <= 0) {
    dc.SetBackground(wxBrush(wxColour(100, 100, 100)));
    dc.Clear();
    return;
  }
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.DrawBitmap(wxBitmap(image.Scale(fit.width, fit.height, wxIMAGE_QUALITY_NORMAL)), fit.x, fit.y);
}

void CBmpView::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  PaintPreview(dc, GetClientSize(), m_image);
}
