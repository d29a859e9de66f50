#include "app/PdfPrinter.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/cmndata.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/paper.h>
#include <wx/print.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/AtomicFile.h"

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kMillimetresPerInch = 25.4;

// The paper's size in millimetres; A4 when the paper is unknown.
wxSize PaperSizeMM(const wxPrintData& data) {
  wxSize size(210, 297);
  if (wxThePrintPaperDatabase) {
    if (const wxPrintPaperType* paper = wxThePrintPaperDatabase->FindPaperType(data.GetPaperId())) {
      const wxSize mm = paper->GetSize();  // tenths of a millimetre
      if (mm.x > 0 && mm.y > 0) size = wxSize(mm.x / 10, mm.y / 10);
    }
  }
  if (data.GetOrientation() == wxLANDSCAPE) size = wxSize(size.y, size.x);
  return size;
}

cairo_status_t WriteToFile(void* closure, const unsigned char* bytes, unsigned int length) {
  FILE* stream = static_cast<FILE*>(closure);
  return std::fwrite(bytes, 1, length, stream) == length ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};

}  // namespace

bool PrintToPdf(wxPrintout& printout, const wxPrintData& data, const std::string& path, std::string& error) {
  CAtomicFile file;
  FILE* stream = file.Open(path);
  if (!stream) {
    error = file.Errno() ? std::strerror(file.Errno()) : "the file cannot be created";
    return false;
  }
  const wxSize mm = PaperSizeMM(data);
  const double widthPt = mm.x * kPointsPerInch / kMillimetresPerInch;
  const double heightPt = mm.y * kPointsPerInch / kMillimetresPerInch;
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_pdf_surface_create_for_stream(WriteToFile, stream, widthPt, heightPt));
  std::unique_ptr<cairo_t, ContextDeleter> cairo(cairo_create(surface.get()));
  // One logical unit is one dot at the chosen resolution, as on a printer.
  cairo_scale(cairo.get(), kPointsPerInch / kPdfDotsPerInch, kPointsPerInch / kPdfDotsPerInch);

  const int widthDots = static_cast<int>(mm.x * kPdfDotsPerInch / kMillimetresPerInch);
  const int heightDots = static_cast<int>(mm.y * kPdfDotsPerInch / kMillimetresPerInch);
  wxGraphicsContext* context = wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cairo.get());
  if (!context) {
    error = "no graphics context for the PDF surface";
    return false;
  }
  wxGCDC dc(context);  // owns the context
  printout.SetPPIScreen(kPdfDotsPerInch, kPdfDotsPerInch);
  printout.SetPPIPrinter(kPdfDotsPerInch, kPdfDotsPerInch);
  printout.SetPageSizePixels(widthDots, heightDots);
  printout.SetPageSizeMM(mm.x, mm.y);
  printout.SetPaperRectPixels(wxRect(0, 0, widthDots, heightDots));
  printout.SetDC(&dc);

  printout.OnPreparePrinting();
  int minPage = 0, maxPage = 0, fromPage = 0, toPage = 0;
  printout.GetPageInfo(&minPage, &maxPage, &fromPage, &toPage);
  int pages = 0;
  printout.OnBeginPrinting();
  if (fromPage >= 1 && printout.OnBeginDocument(fromPage, toPage)) {
    for (int page = fromPage; page <= toPage && printout.HasPage(page); ++page) {
      cairo_save(cairo.get());
      const bool drawn = printout.OnPrintPage(page);
      cairo_restore(cairo.get());
      cairo_show_page(cairo.get());
      if (!drawn) break;
      ++pages;
    }
    printout.OnEndDocument();
  }
  printout.OnEndPrinting();
  printout.SetDC(nullptr);
  cairo.reset();
  cairo_surface_finish(surface.get());
  const cairo_status_t status = cairo_surface_status(surface.get());
  surface.reset();
  if (pages == 0) {
    error = "there is no page to print";
    return false;
  }
  if (status != CAIRO_STATUS_SUCCESS) {
    error = cairo_status_to_string(status);
    return false;
  }
  if (!file.Commit()) {
    error = file.Errno() ? std::strerror(file.Errno()) : "the file cannot be written";
    return false;
  }
  return true;
}
