#include "app/QuorvelPrintout.h"

#include <wx/dc.h>

#include "dialogs/DibBitmap.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

// Ten-point text on the printer: the font's size is found by measuring, since how a DC scales
// fonts differs between printing and preview.
void SelectTextFont(wxDC& dc, int dpiY) {
  wxFont font(wxFontInfo(10).Family(wxFONTFAMILY_SWISS));
  dc.SetFont(font);
  const int wanted = std::max(dpiY * 12 / 72, 1);  // 10 points of text and 2 of leading
  const int measured = dc.GetCharHeight();
  if (measured > 0 && measured != wanted) {
    font.SetFractionalPointSize(10.0 * wanted / measured);
    dc.SetFont(font);
  }
}

// Writes tab-separated fields at the tab stops (per cent of the page width).
void DrawTabbedText(wxDC& dc, const std::string& text, int y, int pageWidth, const std::vector<int>& stops) {
  size_t start = 0;
  size_t field = 0;
  while (start <= text.size()) {
    const size_t tab = text.find('\t', start);
    const std::string part = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    const int x = field == 0 ? 0 : field - 1 < stops.size() ? stops[field - 1] * pageWidth / 100 : pageWidth;
    dc.DrawText(wxString::FromUTF8(part), x, y);
    if (tab == std::string::npos) break;
    start = tab + 1;
    ++field;
  }
}

}  // namespace

CQuorvelPrintout::CQuorvelPrintout(CQuorvelDoc& doc) : wxPrintout("Plandor"), m_doc(doc), m_job(doc) {}

PrintDevice CQuorvelPrintout::SetUpPage() {
  PrintDevice device;
  wxDC* dc = GetDC();
  int width = 0, height = 0, dpiX = 0, dpiY = 0;
  GetPageSizePixels(&width, &height);
  GetPPIPrinter(&dpiX, &dpiY);
  if (!dc || width <= 0 || height <= 0) return device;
  // One logical unit is one printer pixel, on paper and in the preview alike. The PDF writer's
  // device has no size of its own and is in printer pixels already.
  if (dc->GetSize().x > 0)
    FitThisSizeToPage(wxSize(width, height));
  else
    dc->SetUserScale(1, 1);
  SelectTextFont(*dc, dpiY);
  device.width = width;
  device.height = height;
  device.dpiX = dpiX;
  device.dpiY = dpiY;
  device.lineHeight = std::max(dc->GetCharHeight(), 1);
  device.landscape = width > height;
  return device;
}

void CQuorvelPrintout::OnPreparePrinting() {
  // The page count for the print dialog and the preview; each printing run begins the job again.
  m_pages = m_job.Begin(SetUpPage());
  m_job.End();
}

void CQuorvelPrintout::OnBeginPrinting() {
  const PrintDevice device = SetUpPage();
  m_pages = m_job.Begin(device);
  theTracer.Printf("========== Printing Device Information:\n");
  theTracer.Printf("HORZRES       : %08X\nVERTRES       : %08X\nLOGPIXELSX    : %08X\nLOGPIXELSY    : %08X\n",
                   static_cast<unsigned>(device.width), static_cast<unsigned>(device.height),
                   static_cast<unsigned>(device.dpiX), static_cast<unsigned>(device.dpiY));
  theTracer.Printf("End of Printing Device Information ========\n\n");
}

void CQuorvelPrintout::OnEndPrinting() { m_job.End(); }

void CQuorvelPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) {
  *minPage = m_pages ? 1 : 0;
  *maxPage = static_cast<int>(m_pages);
  *selPageFrom = *minPage;
  *selPageTo = *maxPage;
}

bool CQuorvelPrintout::HasPage(int page) { return page >= 1 && static_cast<unsigned>(page) <= m_pages; }

bool CQuorvelPrintout::OnPrintPage(int page) {
  wxDC* dc = GetDC();
  if (!dc || page < 1) return false;
  const unsigned p = static_cast<unsigned>(page);
  const PrintDevice device = SetUpPage();
  const CPrintJob::Page info = m_job.PreparePage(p);
  if (!info.valid) return true;  // logged; an empty page
  dc->SetTextForeground(*wxBLACK);
  dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  if (theSettings.PrintHeader) DrawHeader(*dc, device);
  if (info.partsList)
    DrawPartsList(*dc, device, info, p);
  else if (theSettings.PrintModel)
    DrawPictures(*dc, device, info, p);
  if (theSettings.PrintFooter) DrawFooter(*dc, device, p);
  return true;
}

void CQuorvelPrintout::DrawHeader(wxDC& dc, const PrintDevice& device) {
  const int lh = device.lineHeight;
  dc.SetPen(wxPen(*wxBLACK, 2));
  dc.DrawLine(0, lh * 3 / 2, device.width - 1, lh * 3 / 2);
  dc.DrawText(wxString::FromUTF8(m_job.HeaderText()), 0, 0);
}

void CQuorvelPrintout::DrawPictures(wxDC& dc, const PrintDevice& device, const CPrintJob::Page& page, unsigned p) {
  int width = 0, height = 0;
  m_job.PictureSize(width, height);
  const PictureRect rect = CPrintJob::GetPictureRect(device, width, height, m_job.Layout(page));
  if (rect.width <= 0 || rect.height <= 0) return;
  const int headerShift = theSettings.PrintHeader ? 2 * device.lineHeight : 0;
  for (int j = 0; j < m_job.PicturesPerPage(page); ++j) {
    if (!m_job.RenderPicture(page, p, j)) {
      // Paper and preview say where a picture is missing, rather than leaving a blank.
      if (m_job.RenderFailed())
        dc.DrawText(wxString::FromUTF8(FillTextArgs(LoadResString(kStringPrintPictureFailed),
                                                    {std::to_string(width), std::to_string(height)})),
                    rect.left + j * rect.shiftX, rect.top + j * rect.shiftY + headerShift);
      break;
    }
    const wxBitmap bitmap = DibToBitmap(m_job.Picture());
    if (!bitmap.IsOk()) continue;
    const int x = rect.left + j * rect.shiftX;
    const int y = rect.top + j * rect.shiftY + headerShift;
    // Stretched to the rectangle through the DC's scale, so the printer gets the whole picture.
    double userX = 1, userY = 1;
    dc.GetUserScale(&userX, &userY);
    const double sx = static_cast<double>(rect.width) / bitmap.GetWidth();
    const double sy = static_cast<double>(rect.height) / bitmap.GetHeight();
    dc.SetUserScale(userX * sx, userY * sy);
    dc.DrawBitmap(bitmap, static_cast<wxCoord>(x / sx), static_cast<wxCoord>(y / sy));
    dc.SetUserScale(userX, userY);
  }
}

void CQuorvelPrintout::DrawPartsList(wxDC& dc, const PrintDevice& device, const CPrintJob::Page& page,
                                     unsigned p) {
  const int lh = device.lineHeight;
  const std::vector<int> stops = m_job.TabStops();
  const int y0 = theSettings.PrintHeader ? 2 * lh : 0;
  DrawTabbedText(dc, m_job.PartsListTitle(), y0, device.width, stops);
  dc.SetPen(wxPen(*wxBLACK, 2));
  for (int i = 0; i < 3; ++i) dc.DrawLine(0, y0 + lh + lh / 2 + i, device.width - 1, y0 + lh + lh / 2 + i);
  int y = theSettings.PrintHeader ? 4 * lh : 2 * lh;
  for (const std::string& line : m_job.PartsListLines(page, p)) {
    if (y + lh > device.height) break;
    DrawTabbedText(dc, line, y, device.width, stops);
    y += lh;
  }
}

void CQuorvelPrintout::DrawFooter(wxDC& dc, const PrintDevice& device, unsigned p) {
  const int lh = device.lineHeight;
  const int rows = device.height / lh;
  dc.SetPen(wxPen(*wxBLACK, 2));
  dc.DrawLine(0, (rows - 2) * lh + lh / 2, device.width - 1, (rows - 2) * lh + lh / 2);
  const wxString text = wxString::FromUTF8(m_job.FooterText(p));
  const wxSize size = dc.GetTextExtent(text);
  dc.DrawText(text, (device.width - size.x) / 2, (rows - 1) * lh);
}
