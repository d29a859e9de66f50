#pragma once
// The one road from the renderer's pictures (CDib) to wx: the 3-D panes, printing, picture saving,
// the part browser and the model preview all copy through here.
//
// A 24-bit picture's B, G, R rows become R, G, B pixels; an 8-bit picture's indexes are looked up
// in its colour table (B, G, R, 0 entries), as a device copy does. Row padding is never copied.
// Scaling stretches the whole picture into the target size by nearest pixel: each target pixel
// takes the source pixel under its top-left corner (a colour-on-colour stretch, no blending), so
// a picture stretched to its own size is an exact copy.
#include <wx/bitmap.h>
#include <wx/image.h>

class CDib;

// An invalid image when the picture has no block or the size is not positive.
wxImage DibToImage(const CDib& dib);
wxImage DibToImage(const CDib& dib, int width, int height);
wxBitmap DibToBitmap(const CDib& dib);
wxBitmap DibToBitmap(const CDib& dib, int width, int height);
