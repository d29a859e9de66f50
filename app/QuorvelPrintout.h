#pragma once
// The building instructions on paper: a wx printout over the document's print job. It measures
// the page and the text, and draws the header, the pictures, the parts-list lines and the footer
// of each page the job describes. Used by Print, Print Preview and the -p command-line flag.
#include <wx/print.h>

#include "document/PrintJob.h"

class CQuorvelDoc;

class CQuorvelPrintout : public wxPrintout {
 public:
  explicit CQuorvelPrintout(CQuorvelDoc& doc);

  void OnPreparePrinting() override;
  void OnBeginPrinting() override;
  void OnEndPrinting() override;
  void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;
  bool HasPage(int page) override;
  bool OnPrintPage(int page) override;

  unsigned GetPageCount() const { return m_pages; }
  // True when a picture could not be rendered in the last run (its place on the page says so).
  bool PictureFailed() const { return m_job.RenderFailed(); }

 private:
  // Sets the DC up in printer pixels with the text font, and describes the page.
  PrintDevice SetUpPage();
  void DrawHeader(wxDC& dc, const PrintDevice& device);
  void DrawPictures(wxDC& dc, const PrintDevice& device, const CPrintJob::Page& page, unsigned p);
  void DrawPartsList(wxDC& dc, const PrintDevice& device, const CPrintJob::Page& page, unsigned p);
  void DrawFooter(wxDC& dc, const PrintDevice& device, unsigned p);

  CQuorvelDoc& m_doc;
  CPrintJob m_job;
  unsigned m_pages = 0;
};
