#pragma once
// A picture preview: the picture scaled to fit the window with its proportions kept and centred
// on white; without a picture the window is a uniform grey.
#include <wx/image.h>
#include <wx/window.h>

class CDib;

struct FitResult {
  int x = 0, y = 0, width = 0, height = 0;
};

// Where a w x h picture is drawn in a W x H window: full height, or full width when that would be
// too wide; integer arithmetic. An empty picture or window gives an empty result.
FitResult FitRect(int w, int h, int windowWidth, int windowHeight);

// A 24-bit or 8-bit picture as a wx image; an invalid image without a block.
wxImage DibPreviewImage(const CDib& dib);

class wxDC;
// Paints the view's area of the given size: the image fitted on white, or grey without one.
void PaintPreview(wxDC& dc, const wxSize& area, const wxImage& image);

class CBmpView : public wxWindow {
 public:
  CBmpView(wxWindow* parent, wxWindowID id, const wxSize& size);

  // The picture is the caller's and must outlive its use here; null shows grey.
  void SetPicture(const CDib* picture);
  const CDib* GetPicture() const { return m_picture; }

 private:
  void OnPaint(wxPaintEvent&);
  const CDib* m_picture = nullptr;
  wxImage m_image;
};
