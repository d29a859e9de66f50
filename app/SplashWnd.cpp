#include "app/SplashWnd.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <memory>

namespace {
bool g_enabled = false;
CSplashWnd* g_splash = nullptr;
wxString g_versionTitle;
constexpr int kWidth = 350, kHeight = 279;
constexpr int kTimerMs = 2000;

// A stud-topped brick seen from the front, for the picture.
void DrawBrick(wxGraphicsContext& gc, double x, double y, int studs, const wxColour& c) {
  gc.SetPen(wxPen(c.ChangeLightness(55), 1));
  gc.SetBrush(wxBrush(c));
  gc.DrawRectangle(x, y, studs * 20, 24);
  for (int i = 0; i < studs; ++i) gc.DrawRectangle(x + 4 + i * 20, y - 5, 12, 5);
}
}  // namespace

void CSplashWnd::EnableSplashScreen(bool enable) { g_enabled = enable; }

void CSplashWnd::SetVersionTitle(const wxString& title) { g_versionTitle = title; }

CSplashWnd* CSplashWnd::Current() { return g_splash; }

wxBitmap CSplashWnd::MakePicture(const wxString& versionTitle) {
  wxImage image(kWidth, kHeight);
  {
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
    if (gc) {
      gc->SetBrush(gc->CreateLinearGradientBrush(0, 0, 0, kHeight, wxColour(32, 64, 128), wxColour(10, 20, 48)));
      gc->DrawRectangle(0, 0, kWidth, kHeight);
      DrawBrick(*gc, 60, 200, 4, wxColour(200, 30, 30));
      DrawBrick(*gc, 160, 200, 4, wxColour(240, 200, 20));
      DrawBrick(*gc, 100, 171, 4, wxColour(30, 90, 200));
      DrawBrick(*gc, 200, 171, 2, wxColour(40, 160, 60));
      DrawBrick(*gc, 140, 142, 3, wxColour(230, 230, 230));
      gc->SetFont(wxFont(wxFontInfo(30).Bold().Family(wxFONTFAMILY_SWISS)), *wxWHITE);
      double w = 0, h = 0;
      gc->GetTextExtent("Plandor", &w, &h);
      gc->DrawText("Plandor", (kWidth - w) / 2, 30);
      gc->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS)), wxColour(200, 210, 230));
      gc->GetTextExtent(versionTitle, &w, &h);
      gc->DrawText(versionTitle, (kWidth - w) / 2, 85);
    }
  }
  return wxBitmap(image);
}

void CSplashWnd::ShowSplashScreen(wxWindow* parent) {
  if (!g_enabled || g_splash) return;
  wxBitmap picture = MakePicture(g_versionTitle.empty() ? wxString("Plandor") : g_versionTitle);
  if (!picture.IsOk()) return;
  g_splash = new CSplashWnd(parent, picture);
  g_splash->Show();
  // GTK sizes a shown window only when the event loop runs: let it, so the picture is there
  // before the main window is built.
  g_splash->SetClientSize(picture.GetSize());
  if (wxTheApp) wxTheApp->Yield(true);
  g_splash->Update();
}

CSplashWnd::CSplashWnd(wxWindow* parent, const wxBitmap& picture)
    : wxFrame(parent, wxID_ANY, "Plandor", wxDefaultPosition, picture.GetSize(),
              wxBORDER_NONE | wxFRAME_NO_TASKBAR | wxFRAME_FLOAT_ON_PARENT | wxSTAY_ON_TOP, "Splash"),
      m_picture(picture),
      m_timer(this) {
  // The picture is painted by a child window: GTK gives a top-level window without children no size.
  auto* canvas = new wxWindow(this, wxID_ANY, wxPoint(0, 0), picture.GetSize());
  canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
  canvas->Bind(wxEVT_PAINT, [this, canvas](wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(canvas);
    dc.DrawBitmap(m_picture, 0, 0);
  });
  SetClientSize(picture.GetSize());
  CentreOnScreen();
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { HideSplashScreen(); });
  m_timer.StartOnce(kTimerMs);
}

CSplashWnd::~CSplashWnd() {
  if (g_splash == this) g_splash = nullptr;
}

void CSplashWnd::HideSplashScreen() {
  m_timer.Stop();
  if (g_splash == this) g_splash = nullptr;
  Hide();
  Destroy();
}

bool CSplashWnd::PreTranslateAppMessage(wxEvent& event) {
  if (!g_splash) return false;
  wxEventType t = event.GetEventType();
  // wx reports presses on window frames as the same mouse events.
  bool press = t == wxEVT_KEY_DOWN || t == wxEVT_LEFT_DOWN || t == wxEVT_RIGHT_DOWN ||
               t == wxEVT_MIDDLE_DOWN || t == wxEVT_LEFT_DCLICK || t == wxEVT_RIGHT_DCLICK ||
               t == wxEVT_MIDDLE_DCLICK || t == wxEVT_AUX1_DOWN || t == wxEVT_AUX2_DOWN;
  if (!press) return false;
  g_splash->HideSplashScreen();
  return true;
}
