#include "app/CommandIcons.h"

#include <wx/artprov.h>
#include <wx/brush.h>
#include <wx/pen.h>
#include <wx/font.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <memory>
#include <string>

namespace {
constexpr int kSize = 16;

// The pictograms, as SVG drawings on a 16 x 16 grid. Axes keep one colour each: X red, Y green,
// Z blue; moving along Y is drawn vertically (the model's Y points down), along Z diagonally.
struct OwnIcon {
  int id;
  const char* svg;
};

#define BRICK(x, y, fill)                                                                      \
  "<g transform='translate(" #x "," #y ")'><rect x='0.5' y='3.5' width='9' height='5' fill='" \
  fill "' stroke='#333'/><rect x='1.5' y='1.5' width='2' height='2' fill='" fill              \
  "' stroke='#333'/><rect x='6.5' y='1.5' width='2' height='2' fill='" fill "' stroke='#333'/></g>"
#define MOVE_ARROW(colour, path, head) \
  "<path d='" path "' stroke='" colour "' stroke-width='2.2' fill='none'/>" \
  "<path d='" head "' fill='" colour "'/>"
#define EYE(stroke)                                                                                    \
  "<path d='M1 8 Q8 1 15 8 Q8 15 1 8 Z' fill='#fff' stroke='" stroke "' stroke-width='1.3'/>"        \
  "<circle cx='8' cy='8' r='2.6' fill='" stroke "'/>"
#define STAIRS(colour) \
  "<path d='M1 15 V11 H5 V7 H9 V3 H15 V15 Z' fill='" colour "' stroke='#333' stroke-width='0.8'/>"

// A rotation: an arc of a circle turning about the axis, with its arrow head; the axis drawn
// through it (X across, Y upright, Z as a dot seen end on).
#define TURN_CCW(colour, axis)                                                                       \
  axis "<path d='M12.8 10.5 A5 5 0 1 1 11.5 4.4' stroke='" colour "' stroke-width='2' fill='none'/>" \
  "<path d='M14.6 2.6 L14.2 7.6 L9.6 5.6 Z' fill='" colour "'/>"
#define TURN_CW(colour, axis)                                                                      \
  axis "<path d='M3.2 10.5 A5 5 0 1 0 4.5 4.4' stroke='" colour "' stroke-width='2' fill='none'/>" \
  "<path d='M1.4 2.6 L1.8 7.6 L6.4 5.6 Z' fill='" colour "'/>"
#define AXIS_X "<path d='M0 8.5 H16' stroke='#c0392b' stroke-width='1' opacity='0.55'/>"
#define AXIS_Y "<path d='M8.5 0 V16' stroke='#1e8449' stroke-width='1' opacity='0.55'/>"
#define AXIS_Z "<circle cx='8' cy='8.5' r='1.8' fill='#2e64c8'/>"
#define RED "#c0392b"
#define GREEN "#1e8449"
#define BLUE "#2e64c8"
#define SELECT_FRAME \
  "<rect x='0.5' y='0.5' width='15' height='15' fill='none' stroke='#2e64c8' stroke-dasharray='2 1.5'/>"

const OwnIcon kOwn[] = {
    // Save Image(s): a picture.
    {32864, "<rect x='1' y='2.5' width='14' height='11' fill='#dcebff' stroke='#2e64c8'/>"
            "<path d='M1.5 13 L6 7 L9 10 L11 8 L14.5 13 Z' fill='#27ae60'/><circle cx='11.5' cy='5.5'"
            " r='1.5' fill='#e67e22'/>"},
    // Move along the axes.
    {32793, MOVE_ARROW(RED, "M15 8 H5", "M1 8 L6 3.5 L6 12.5 Z")},
    {32792, MOVE_ARROW(RED, "M1 8 H11", "M15 8 L10 3.5 L10 12.5 Z")},
    {32795, MOVE_ARROW(GREEN, "M8 15 V5", "M8 1 L3.5 6 L12.5 6 Z")},
    {32794, MOVE_ARROW(GREEN, "M8 1 V11", "M8 15 L3.5 10 L12.5 10 Z")},
    {32797, MOVE_ARROW(BLUE, "M2 14 L9.5 6.5", "M13.5 2.5 L12.5 9.2 L6.8 3.5 Z")},
    {32796, MOVE_ARROW(BLUE, "M14 2 L6.5 9.5", "M2.5 13.5 L3.5 6.8 L9.2 12.5 Z")},
    // Rotate about the axes, each way.
    {32816, TURN_CCW(RED, AXIS_X)},   {32817, TURN_CW(RED, AXIS_X)},
    {32818, TURN_CCW(GREEN, AXIS_Y)}, {32819, TURN_CW(GREEN, AXIS_Y)},
    {32820, TURN_CCW(BLUE, AXIS_Z)},  {32821, TURN_CW(BLUE, AXIS_Z)},
    // Keyboard Entry: a keyboard.
    {32953, "<rect x='0.5' y='3.5' width='15' height='9' rx='1.5' fill='#eee' stroke='#444'/>"
            "<path d='M2.5 6 h1 M5 6 h1 M7.5 6 h1 M10 6 h1 M12.5 6 h1 M2.5 8 h1 M5 8 h1 M7.5 8 h1 M10 8"
            " h1 M12.5 8 h1 M4 10.3 h8'"
            " stroke='#444' stroke-width='1.3'/>"},
    // Add Part: a brick and a plus.
    {32783, BRICK(0, 6, "#d33") "<path d='M12 1 V8 M8.5 4.5 H15.5' stroke='#1e8449' stroke-width='2.2'/>"},
    // Comment: a speech bubble with lines.
    {32785, "<path d='M1.5 2.5 H14.5 V11 H7 L3.5 14.5 V11 H1.5 Z' fill='#fffbe0' stroke='#8a6d00'/>"
            "<path d='M4 5.5 H12 M4 8 H10' stroke='#8a6d00' stroke-width='1.2'/>"},
    // Step: stairs.
    {32784, STAIRS("#48c9b0")},
    // Rotation Step: stairs with a turning arrow; Rotation End Step: the same arrow stopped.
    {32786, STAIRS("#a3e4d7") "<path d='M3 8 A4.5 4.5 0 1 1 9.5 3.2' stroke='#8e44ad' stroke-width='2'"
            " fill='none'/>"
            "<path d='M12 0.5 L11.8 6 L7 3.5 Z' fill='#8e44ad'/>"},
    {32787, STAIRS("#a3e4d7") "<path d='M3 8 A4.5 4.5 0 1 1 9.5 3.2' stroke='#8e44ad' stroke-width='2'"
            " fill='none'/>"
            "<path d='M12 0.5 L11.8 6 L7 3.5 Z' fill='#8e44ad'/><rect x='10' y='9' width='5.5'"
            " height='5.5' fill='#c0392b'/>"},
    // Step Background: a brick in front of a picture.
    {32927, "<rect x='0.5' y='0.5' width='15' height='11' fill='#aed6f1' stroke='#2e64c8'/>"
            "<path d='M1 11 L5 6 L8 9 L15 4 V11 Z' fill='#82e0aa'/>" BRICK(5, 6, "#f4d03f")},
    // Clear Statement: an eraser wiping the picture.
    {32939, "<path d='M2 11 L8 4 L14 9 L9.5 14 H5 Z' fill='#f5b7b1' stroke='#922b21'/>"
            "<path d='M5 7.5 L11 12' stroke='#922b21'/><path d='M1 15 H15' stroke='#666'"
            " stroke-dasharray='1.5 1'/>"},
    // Buffer Exchange: two stored pictures swapping.
    {32943, "<rect x='0.5' y='0.5' width='7' height='6' fill='#d6eaf8' stroke='#2e64c8'/>"
            "<rect x='8.5' y='9.5' width='7' height='6' fill='#fdebd0' stroke='#ca6f1e'/>"
            "<path d='M11 2 Q14 2 14 6' stroke='#444' stroke-width='1.3' fill='none'/><path d='M12 6 L16"
            " 6 L14 9 Z' fill='#444'/>"
            "<path d='M5 14 Q2 14 2 10' stroke='#444' stroke-width='1.3' fill='none'/><path d='M0 10 L4"
            " 10 L2 7 Z' fill='#444'/>"},
    // The step navigation: First, Previous, Next, Last as single heads against a bar; Fast
    // Backward and Fast Forward as double heads.
    {32856, "<path d='M4 8 L14 1.5 V14.5 Z' fill='#2e64c8'/><rect x='1' y='1.5' width='2.5' height='13'"
            " fill='#2e64c8'/>"},
    {32857, "<path d='M2.5 8 L13 1.5 V14.5 Z' fill='#2e64c8'/>"},
    {32858, "<path d='M13.5 8 L3 1.5 V14.5 Z' fill='#2e64c8'/>"},
    {32859, "<path d='M12 8 L2 1.5 V14.5 Z' fill='#2e64c8'/><rect x='12.5' y='1.5' width='2.5'"
            " height='13' fill='#2e64c8'/>"},
    // Fast Backward and Fast Forward: double arrow heads.
    {32970, "<path d='M1 8 L8 2.5 V13.5 Z M8 8 L15 2.5 V13.5 Z' fill='#2e64c8'/>"},
    {32971, "<path d='M15 8 L8 2.5 V13.5 Z M8 8 L1 2.5 V13.5 Z' fill='#2e64c8'/>"},
    // Select All, Same Type, Same Color: a selection frame around what is chosen.
    {32980, SELECT_FRAME "<rect x='3' y='3' width='4' height='4' fill='#e74c3c'/><circle cx='11' cy='5'"
            " r='2.2' fill='#27ae60'/>"
            "<path d='M3 13 L5.5 9 L8 13 Z' fill='#f1c40f'/><rect x='9.5' y='9.5' width='3.5'"
            " height='3.5' fill='#2e64c8'/>"},
    {32981, SELECT_FRAME "<rect x='2.5' y='3.5' width='5' height='9' fill='#e74c3c' stroke='#333'/>"
            "<rect x='9' y='3.5' width='5' height='9' fill='#f1c40f' stroke='#333'/>"},
    {32982, SELECT_FRAME "<circle cx='5' cy='8' r='3' fill='#e74c3c' stroke='#333'/>"
            "<path d='M9 11.5 L11.5 4 L14 11.5 Z' fill='#e74c3c' stroke='#333'/>"},
    // View Mode: an eye; Edit Mode: a pencil.
    {32808, EYE("#2e64c8")},
    {32922, "<path d='M2 14 L3 10.5 L11.5 2 L14 4.5 L5.5 13 Z' fill='#f4d03f' stroke='#7d6608'/>"
            "<path d='M2 14 L3 10.5 L5.5 13 Z' fill='#333'/><path d='M10 3.5 L12.5 6' stroke='#7d6608'/>"},
    // Pan Mode: arrows to four sides; Zoom Mode: a magnifier.
    {32916, "<path d='M8 2.5 V13.5 M2.5 8 H13.5' stroke='#555' stroke-width='1.6'/>"
            "<path d='M8 0 L11 3.5 H5 Z M8 16 L11 12.5 H5 Z M0 8 L3.5 5 V11 Z M16 8 L12.5 5 V11 Z'"
            " fill='#555'/>"},
    {32926, "<circle cx='6.5' cy='6.5' r='4.5' fill='#eaf2f8' stroke='#555' stroke-width='1.6'/>"
            "<path d='M10 10 L15 15' stroke='#555' stroke-width='2.6'/>"},
    // Grid Coarse, Medium, Fine: fewer or more grid cells.
    {32881, "<rect x='1.5' y='1.5' width='13' height='13' fill='#fff' stroke='#555'/><path d='M8 1.5"
            " V14.5 M1.5 8 H14.5' stroke='#555'/>"},
    {32882, "<rect x='1.5' y='1.5' width='13' height='13' fill='#fff' stroke='#555'/>"
            "<path d='M5.8 1.5 V14.5 M10.2 1.5 V14.5 M1.5 5.8 H14.5 M1.5 10.2 H14.5' stroke='#555'/>"},
    {32883, "<rect x='1.5' y='1.5' width='13' height='13' fill='#fff' stroke='#555'/>"
            "<path d='M4.75 1.5 V14.5 M8 1.5 V14.5 M11.25 1.5 V14.5 M1.5 4.75 H14.5 M1.5 8 H14.5 M1.5"
            " 11.25 H14.5' stroke='#555' stroke-width='0.8'/>"},
    // Draw To Selection: the model drawn up to the chosen line, what follows left out.
    {32979, "<path d='M1 2 H11 M1 5.5 H11' stroke='#333' stroke-width='1.6'/><path d='M1 9 H11'"
            " stroke='#2e64c8' stroke-width='2.2'/>"
            "<path d='M1 12.5 H11 M1 15.5 H11' stroke='#bbb' stroke-width='1.6'/><path d='M16 9 L12 5.5"
            " V12.5 Z' fill='#2e64c8'/>"},
    // Primitives: Line, Triangle, Quadrilateral, Conditional Line (dashed, with its control points).
    {32929, "<path d='M2 14 L14 2' stroke='#2e64c8' stroke-width='2'/><circle cx='2.5' cy='13.5' r='1.5'"
            " fill='#333'/>"
            "<circle cx='13.5' cy='2.5' r='1.5' fill='#333'/>"},
    {32930, "<path d='M8 1.5 L14.5 14 H1.5 Z' fill='#aed6f1' stroke='#2e64c8' stroke-width='1.3'/>"},
    {32931, "<path d='M4 2 L14.5 3.5 L12.5 14 L1.5 12 Z' fill='#aed6f1' stroke='#2e64c8'"
            " stroke-width='1.3'/>"},
    {32932, "<path d='M2 14 L14 2' stroke='#2e64c8' stroke-width='2' stroke-dasharray='2.5 1.5'/>"
            "<circle cx='3' cy='4' r='1.5' fill='#888'/><circle cx='13' cy='12' r='1.5' fill='#888'/>"},
    // BFC Statement: a face and its winding.
    {32937, "<path d='M8 1 L15 14.5 H1 Z' fill='#d5f5e3' stroke='#1e8449' stroke-width='1.2'/>"
            "<path d='M10.5 11 A3 3 0 1 1 9.3 7.3' stroke='#1e8449' stroke-width='1.4' fill='none'/>"
            "<path d='M11 5.5 L11 9 L8 8 Z' fill='#1e8449'/>"},
    // Fit: a frame with the picture filling it.
    {32894, "<path d='M1 5 V1 H5 M11 1 H15 V5 M15 11 V15 H11 M5 15 H1 V11' stroke='#1e8449'"
            " stroke-width='1.8' fill='none'/>"
            "<rect x='4' y='4' width='8' height='8' fill='#aed6f1' stroke='#2e64c8'/>"},
    // Ghost: a see-through brick; Unghost: the same brick solid again.
    {32955, "<g opacity='0.4' transform='translate(0.5,1) scale(1.5)'>" BRICK(0, 0, "#95a5a6") "</g>"
            "<path d='M1.2 6.2 H14.8 V13.8 H1.2 Z' fill='none' stroke='#555' stroke-dasharray='1.5 1'/>"},
    {32956, "<g transform='translate(0.5,1) scale(1.5)'>" BRICK(0, 0, "#e74c3c") "</g>"},
    // Group: two bricks inside one frame; Ungroup: the frame broken open.
    {32946, "<rect x='0.5' y='0.5' width='15' height='15' rx='2' fill='none' stroke='#8e44ad'"
            " stroke-width='1.2'/>"
            "<rect x='2.5' y='3' width='5' height='4' fill='#e74c3c' stroke='#333' stroke-width='0.8'/>"
            "<rect x='8.5' y='9' width='5' height='4' fill='#f1c40f' stroke='#333' stroke-width='0.8'/>"},
    {32947, "<path d='M6 0.5 H0.5 V15.5 H6 M10 0.5 H15.5 V15.5 H10' fill='none' stroke='#8e44ad'"
            " stroke-width='1.2' stroke-dasharray='2 1'/>"
            "<rect x='2.5' y='3' width='5' height='4' fill='#e74c3c' stroke='#333' stroke-width='0.8'/>"
            "<rect x='8.5' y='9' width='5' height='4' fill='#f1c40f' stroke='#333' stroke-width='0.8'/>"},
    // Hide: the eye struck through; Unhide: the eye; Unhide All: two eyes.
    {32866, EYE("#777") "<path d='M2 14 L14 2' stroke='#c0392b' stroke-width='2'/>"},
    {32867, EYE("#1e8449")},
    {32868, "<g transform='scale(0.62)'>" EYE("#1e8449") "</g><g transform='translate(6,6)"
            " scale(0.62)'>" EYE("#1e8449") "</g>"},
    // Snap To Grid: a point held at a grid crossing.
    {32962, "<path d='M1 4.5 H15 M1 11.5 H15 M4.5 1 V15 M11.5 1 V15' stroke='#999'/>"
            "<circle cx='11.5' cy='11.5' r='2.6' fill='#e67e22' stroke='#333'/><path d='M3 3 L9 9'"
            " stroke='#e67e22' stroke-width='1.5' stroke-dasharray='1.5 1'/>"},
    // Rotation Point: cross hairs.
    {32963, "<circle cx='8' cy='8' r='5' fill='none' stroke='#c0392b' stroke-width='1.8'/>"
            "<path d='M8 0 V16 M0 8 H16' stroke='#c0392b' stroke-width='1.3'/>"},
    // Arrow generator: an arrow; Rubber Belt generator: a belt around two wheels.
    {32996, "<path d='M2 14 L9 7' stroke='#e67e22' stroke-width='3'/><path d='M14.5 1.5 L13 10.5 L5.5 3"
            " Z' fill='#e67e22'/>"},
    {32992, "<path d='M4.5 3 H11.5 A5 5 0 0 1 11.5 13 H4.5 A5 5 0 0 1 4.5 3 Z' fill='none' stroke='#222'"
            " stroke-width='2'/>"
            "<circle cx='4.5' cy='8' r='2.5' fill='#aaa'/><circle cx='11.5' cy='8' r='2.5' fill='#aaa'/>"},
    // Dimensions report: a measured width.
    {32830, "<rect x='2.5' y='7.5' width='11' height='7' fill='#f1c40f' stroke='#333'/>"
            "<path d='M1 1 V6 M15 1 V6' stroke='#333'/><path d='M3.5 3.5 H12.5' stroke='#2e64c8'"
            " stroke-width='1.4'/>"
            "<path d='M1.5 3.5 L4.5 1.5 V5.5 Z M14.5 3.5 L11.5 1.5 V5.5 Z' fill='#2e64c8'/>"},
};

#undef BRICK
#undef MOVE_ARROW
#undef EYE
#undef STAIRS
#undef TURN_CCW
#undef TURN_CW
#undef AXIS_X
#undef AXIS_Y
#undef AXIS_Z
#undef RED
#undef GREEN
#undef BLUE
#undef SELECT_FRAME

// The zoom presets show their per cent.
struct ZoomLabel {
  int id;
  const char* text;
};
const ZoomLabel kZoom[] = {{32885, "300"}, {32886, "200"}, {32887, "150"}, {32888, "100"}, {32889, "75"},
                           {32890, "50"},  {32891, "25"},  {32892, "12"},  {32893, "6"}};

struct ThemeIcon {
  int id;
  const char* art;
};
const ThemeIcon kTheme[] = {
    {57600, wxART_NEW},       {57601, wxART_FILE_OPEN},  {57603, wxART_FILE_SAVE},
    {32869, wxART_REPORT_VIEW}, {57635, wxART_CUT},      {57634, wxART_COPY},
    {57637, wxART_PASTE},     {57607, wxART_PRINT},      {57664, wxART_INFORMATION},
    {57669, wxART_HELP},      {57643, wxART_UNDO},       {57632, wxART_DELETE},
    {32846, wxART_FIND},
};

wxBitmapBundle FromSvg(const char* body) {
  std::string svg = std::string("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'"
            " viewBox='0 0 16 16'>") +
                    body + "</svg>";
  return wxBitmapBundle::FromSVG(svg.c_str(), wxSize(kSize, kSize));
}

// A short text on a tile, drawn for one pixel size.
wxBitmap DrawTile(const std::string& text, int size, const wxColour& fill, const wxColour& ink) {
  wxImage image(size, size);
  image.InitAlpha();
  std::fill_n(image.GetAlpha(), size * size, 0);
  {
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
    if (gc) {
      double s = size / double(kSize);
      gc->SetPen(wxPen(ink.ChangeLightness(130), 1));
      gc->SetBrush(wxBrush(fill));
      gc->DrawRoundedRectangle(0.5 * s, 1.5 * s, 15 * s - 1, 13 * s - 1, 2.5 * s);
      size_t n = text.size();
      double points = (n >= 3 ? 5.2 : n == 2 ? 6.8 : 8) * s;
      gc->SetFont(wxFont(wxFontInfo(points).Bold().Family(wxFONTFAMILY_SWISS)), ink);
      double w = 0, h = 0;
      gc->GetTextExtent(wxString::FromUTF8(text), &w, &h);
      gc->DrawText(wxString::FromUTF8(text), (size - w) / 2, (size - h) / 2);
    }
  }
  return wxBitmap(image);
}

wxBitmapBundle Tile(const std::string& text, const wxColour& fill, const wxColour& ink) {
  wxVector<wxBitmap> bitmaps;
  for (int size : {kSize, kSize * 3 / 2, kSize * 2}) bitmaps.push_back(DrawTile(text, size, fill, ink));
  return wxBitmapBundle::FromBitmaps(bitmaps);
}
}  // namespace

bool HasOwnPictogram(int commandId) {
  for (const OwnIcon& i : kOwn)
    if (i.id == commandId) return true;
  return false;
}

wxBitmapBundle DrawCommandBitmap(int commandId) {
  for (const OwnIcon& i : kOwn)
    if (i.id == commandId) return FromSvg(i.svg);
  for (const ZoomLabel& z : kZoom)
    if (z.id == commandId) return Tile(z.text, wxColour(255, 255, 255), wxColour(40, 40, 40));
  // A command without a picture of its own gets its number's last digits on a grey tile.
  return Tile(std::to_string(commandId % 100), wxColour(96, 96, 96), *wxWHITE);
}

wxBitmapBundle GetCommandBitmap(int commandId) {
  for (const ThemeIcon& t : kTheme)
    if (t.id == commandId) {
      wxBitmapBundle b = wxArtProvider::GetBitmapBundle(t.art, wxART_TOOLBAR, wxSize(kSize, kSize));
      if (b.IsOk()) return b;
    }
  return DrawCommandBitmap(commandId);
}
