#include "app/CommandIcons.h"

#include <wx/artprov.h>
#include <wx/brush.h>
#include <wx/pen.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <cmath>
#include <memory>
#include <string>

namespace {
constexpr int kSize = 16;

enum class Glyph { Label, ArrowLeft, ArrowRight, RotateLeft, RotateRight, FastBack, FastForward,
                   Brick, Picture, Line, Triangle, Quad, CondLine, Grid, Pan, Magnifier, Cross,
                   Belt, Arrow };

struct OwnIcon {
  int id;
  Glyph glyph;
  unsigned rgb;
  const char* label;
};

constexpr unsigned kRed = 0xC0392B, kGreen = 0x27AE60, kBlue = 0x2E64C8, kGrey = 0x606060,
                   kOrange = 0xD35400, kPurple = 0x8E44AD, kTeal = 0x16A085;

const OwnIcon kOwn[] = {
    {32864, Glyph::Picture, kBlue, ""},
    {32793, Glyph::ArrowLeft, kRed, "X"},    {32792, Glyph::ArrowRight, kRed, "X"},
    {32795, Glyph::ArrowLeft, kGreen, "Y"},  {32794, Glyph::ArrowRight, kGreen, "Y"},
    {32797, Glyph::ArrowLeft, kBlue, "Z"},   {32796, Glyph::ArrowRight, kBlue, "Z"},
    {32816, Glyph::RotateLeft, kRed, "X"},   {32817, Glyph::RotateRight, kRed, "X"},
    {32818, Glyph::RotateLeft, kGreen, "Y"}, {32819, Glyph::RotateRight, kGreen, "Y"},
    {32820, Glyph::RotateLeft, kBlue, "Z"},  {32821, Glyph::RotateRight, kBlue, "Z"},
    {32953, Glyph::Label, kGrey, "123"},
    {32783, Glyph::Brick, kRed, ""},         {32785, Glyph::Label, kGrey, "0"},
    {32784, Glyph::Label, kTeal, "S"},       {32786, Glyph::Label, kTeal, "RS"},
    {32787, Glyph::Label, kTeal, "RE"},      {32927, Glyph::Label, kPurple, "BG"},
    {32939, Glyph::Label, kPurple, "CL"},    {32943, Glyph::Label, kPurple, "BX"},
    {32970, Glyph::FastBack, kGrey, ""},     {32971, Glyph::FastForward, kGrey, ""},
    {32980, Glyph::Label, kOrange, "A"},     {32981, Glyph::Label, kOrange, "T"},
    {32982, Glyph::Label, kOrange, "C"},
    {32808, Glyph::Label, kBlue, "V"},       {32922, Glyph::Label, kRed, "E"},
    {32916, Glyph::Pan, kGrey, ""},          {32926, Glyph::Magnifier, kGrey, ""},
    {32881, Glyph::Grid, kGrey, "2"},        {32882, Glyph::Grid, kGrey, "3"},
    {32883, Glyph::Grid, kGrey, "4"},        {32979, Glyph::Label, kTeal, "DS"},
    {32929, Glyph::Line, kBlue, ""},         {32930, Glyph::Triangle, kBlue, ""},
    {32931, Glyph::Quad, kBlue, ""},         {32932, Glyph::CondLine, kBlue, ""},
    {32937, Glyph::Label, kBlue, "BF"},
    {32885, Glyph::Label, kGrey, "300"},     {32886, Glyph::Label, kGrey, "200"},
    {32887, Glyph::Label, kGrey, "150"},     {32888, Glyph::Label, kGrey, "100"},
    {32889, Glyph::Label, kGrey, "75"},      {32890, Glyph::Label, kGrey, "50"},
    {32891, Glyph::Label, kGrey, "25"},      {32892, Glyph::Label, kGrey, "12"},
    {32893, Glyph::Label, kGrey, "6"},       {32894, Glyph::Label, kGreen, "Fit"},
    {32955, Glyph::Label, 0xA0A0A0, "G"},    {32956, Glyph::Label, kGrey, "G"},
    {32946, Glyph::Label, kPurple, "[]"},    {32947, Glyph::Label, kPurple, "]["},
    {32866, Glyph::Label, kGrey, "H"},       {32867, Glyph::Label, kGreen, "U"},
    {32868, Glyph::Label, kGreen, "UA"},     {32962, Glyph::Grid, kOrange, "#"},
    {32963, Glyph::Cross, kRed, ""},
    {32996, Glyph::Arrow, kOrange, ""},      {32992, Glyph::Belt, 0x303030, ""},
    {32830, Glyph::Label, kTeal, "<>"},
};

struct ThemeIcon {
  int id;
  const char* art;
};
const ThemeIcon kTheme[] = {
    {57600, wxART_NEW},       {57601, wxART_FILE_OPEN},  {57603, wxART_FILE_SAVE},
    {32869, wxART_REPORT_VIEW}, {57635, wxART_CUT},      {57634, wxART_COPY},
    {57637, wxART_PASTE},     {57607, wxART_PRINT},      {57664, wxART_INFORMATION},
    {57669, wxART_HELP},      {57643, wxART_UNDO},       {57632, wxART_DELETE},
    {32846, wxART_FIND},      {32856, wxART_GOTO_FIRST}, {32857, wxART_GO_BACK},
    {32858, wxART_GO_FORWARD}, {32859, wxART_GOTO_LAST},
};

wxColour Colour(unsigned rgb) { return wxColour((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255); }

void DrawArrowHead(wxGraphicsContext& gc, double x, double y, double dx) {
  wxGraphicsPath p = gc.CreatePath();
  p.MoveToPoint(x, y - 4);
  p.AddLineToPoint(x + dx, y);
  p.AddLineToPoint(x, y + 4);
  p.CloseSubpath();
  gc.FillPath(p);
}

void DrawLabel(wxGraphicsContext& gc, const char* text, const wxColour& fill) {
  gc.SetPen(*wxTRANSPARENT_PEN);
  gc.SetBrush(wxBrush(fill));
  gc.DrawRoundedRectangle(0.5, 1.5, 15, 13, 3);
  size_t n = std::string(text).size();
  wxFont font(wxFontInfo(n >= 3 ? 5.5 : n == 2 ? 6.5 : 8).Bold().Family(wxFONTFAMILY_SWISS));
  gc.SetFont(font, *wxWHITE);
  double w = 0, h = 0;
  gc.GetTextExtent(wxString::FromUTF8(text), &w, &h);
  gc.DrawText(wxString::FromUTF8(text), (kSize - w) / 2, (kSize - h) / 2);
}

void DrawGlyph(wxGraphicsContext& gc, const OwnIcon& icon) {
  wxColour c = Colour(icon.rgb);
  wxPen pen(c, 2);
  gc.SetPen(pen);
  gc.SetBrush(wxBrush(c));
  auto smallLetter = [&](double x, double y) {
    if (!*icon.label) return;
    gc.SetFont(wxFont(wxFontInfo(6.5).Bold().Family(wxFONTFAMILY_SWISS)), c);
    gc.DrawText(icon.label, x, y);
  };
  switch (icon.glyph) {
    case Glyph::Label:
      DrawLabel(gc, icon.label, c);
      break;
    case Glyph::ArrowLeft:
    case Glyph::ArrowRight: {
      bool right = icon.glyph == Glyph::ArrowRight;
      gc.StrokeLine(3, 12, 13, 12);
      DrawArrowHead(gc, right ? 11 : 5, 12, right ? 4 : -4);
      smallLetter(right ? 2 : 8, 0);
      break;
    }
    case Glyph::RotateLeft:
    case Glyph::RotateRight: {
      bool right = icon.glyph == Glyph::RotateRight;
      gc.SetBrush(*wxTRANSPARENT_BRUSH);
      wxGraphicsPath arc = gc.CreatePath();
      arc.AddArc(8, 9, 5, M_PI * 0.1, M_PI * 1.1, false);
      gc.StrokePath(arc);
      gc.SetBrush(wxBrush(c));
      wxGraphicsPath head = gc.CreatePath();
      double x = right ? 13 : 3;
      head.MoveToPoint(x - 3, 9);
      head.AddLineToPoint(x + 3, 9);
      head.AddLineToPoint(x, 13);
      head.CloseSubpath();
      gc.FillPath(head);
      smallLetter(5, 6);
      break;
    }
    case Glyph::FastBack:
    case Glyph::FastForward: {
      double d = icon.glyph == Glyph::FastForward ? 5 : -5;
      double x0 = icon.glyph == Glyph::FastForward ? 3 : 13;
      DrawArrowHead(gc, x0, 8, d);
      DrawArrowHead(gc, x0 + d, 8, d);
      break;
    }
    case Glyph::Brick:
      gc.SetPen(wxPen(c.ChangeLightness(60), 1));
      gc.DrawRectangle(1.5, 6.5, 13, 7);
      gc.DrawRectangle(3.5, 3.5, 3, 3);
      gc.DrawRectangle(9.5, 3.5, 3, 3);
      break;
    case Glyph::Picture:
      gc.SetPen(wxPen(c, 1));
      gc.SetBrush(wxBrush(wxColour(220, 235, 255)));
      gc.DrawRectangle(1.5, 2.5, 13, 11);
      gc.SetBrush(wxBrush(Colour(kGreen)));
      gc.SetPen(*wxTRANSPARENT_PEN);
      {
        wxGraphicsPath hill = gc.CreatePath();
        hill.MoveToPoint(2, 13);
        hill.AddLineToPoint(7, 7);
        hill.AddLineToPoint(10, 10);
        hill.AddLineToPoint(14, 13);
        hill.CloseSubpath();
        gc.FillPath(hill);
      }
      gc.SetBrush(wxBrush(Colour(kOrange)));
      gc.DrawEllipse(10, 4, 3, 3);
      break;
    case Glyph::Line:
      gc.StrokeLine(2, 13, 14, 3);
      break;
    case Glyph::Triangle:
    case Glyph::Quad: {
      gc.SetPen(wxPen(c, 1));
      gc.SetBrush(wxBrush(c.ChangeLightness(160)));
      wxGraphicsPath p = gc.CreatePath();
      if (icon.glyph == Glyph::Triangle) {
        p.MoveToPoint(8, 2);
        p.AddLineToPoint(14.5, 14);
        p.AddLineToPoint(1.5, 14);
      } else {
        p.MoveToPoint(4, 2.5);
        p.AddLineToPoint(14.5, 4);
        p.AddLineToPoint(12, 14);
        p.AddLineToPoint(1.5, 12);
      }
      p.CloseSubpath();
      gc.DrawPath(p);
      break;
    }
    case Glyph::CondLine: {
      wxPen dashed(c, 2, wxPENSTYLE_SHORT_DASH);
      gc.SetPen(dashed);
      gc.StrokeLine(2, 13, 14, 3);
      break;
    }
    case Glyph::Grid: {
      gc.SetPen(wxPen(c, 1));
      int n = icon.label[0] == '#' ? 3 : icon.label[0] - '0';
      for (int i = 0; i <= n; ++i) {
        double t = 2.5 + i * 11.0 / n;
        gc.StrokeLine(t, 2, t, 14);
        gc.StrokeLine(2, t, 14, t);
      }
      break;
    }
    case Glyph::Pan:
      gc.StrokeLine(8, 2, 8, 14);
      gc.StrokeLine(2, 8, 14, 8);
      DrawArrowHead(gc, 12, 8, 3);
      DrawArrowHead(gc, 4, 8, -3);
      break;
    case Glyph::Magnifier:
      gc.SetBrush(*wxTRANSPARENT_BRUSH);
      gc.DrawEllipse(2, 2, 8, 8);
      gc.SetPen(wxPen(c, 3));
      gc.StrokeLine(9, 9, 14, 14);
      break;
    case Glyph::Cross:
      gc.SetBrush(*wxTRANSPARENT_BRUSH);
      gc.SetPen(wxPen(c, 2));
      gc.DrawEllipse(3, 3, 10, 10);
      gc.StrokeLine(8, 1, 8, 15);
      gc.StrokeLine(1, 8, 15, 8);
      break;
    case Glyph::Belt:
      gc.SetBrush(*wxTRANSPARENT_BRUSH);
      gc.SetPen(wxPen(c, 2));
      gc.DrawRoundedRectangle(1.5, 4.5, 13, 7, 3.5);
      break;
    case Glyph::Arrow:
      gc.SetPen(wxPen(c, 3));
      gc.StrokeLine(2, 14, 10, 6);
      {
        wxGraphicsPath p = gc.CreatePath();
        p.MoveToPoint(14, 2);
        p.AddLineToPoint(13, 10);
        p.AddLineToPoint(6, 3);
        p.CloseSubpath();
        gc.FillPath(p);
      }
      break;
  }
}
}  // namespace

wxBitmap DrawCommandBitmap(int commandId) {
  wxImage image(kSize, kSize);
  image.InitAlpha();
  std::fill_n(image.GetAlpha(), kSize * kSize, 0);
  {
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
    if (gc) {
      gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
      const OwnIcon* own = nullptr;
      for (const OwnIcon& i : kOwn)
        if (i.id == commandId) own = &i;
      // A command without a picture of its own gets its number's last digits on a grey tile.
      std::string digits = std::to_string(commandId % 100);
      OwnIcon fallback{commandId, Glyph::Label, kGrey, digits.c_str()};
      DrawGlyph(*gc, own ? *own : fallback);
    }
  }
  return wxBitmap(image);
}

wxBitmap GetCommandBitmap(int commandId) {
  for (const ThemeIcon& t : kTheme)
    if (t.id == commandId) {
      wxBitmap b = wxArtProvider::GetBitmap(t.art, wxART_TOOLBAR, wxSize(kSize, kSize));
      if (b.IsOk()) return b;
    }
  return DrawCommandBitmap(commandId);
}
