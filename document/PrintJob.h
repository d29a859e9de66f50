#pragma once
// One print job of the building instructions: the page table (picture pages, then parts-list
// pages, per model), what each page shows, the pictures rendered through the document's render
// road in print mode, the parts-list lines and where a picture goes on the page. The printer's
// device and the drawing on it are the caller's (the wx printout); this knows only sizes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/ScenePicture.h"

class CQuorvelDoc;

// What the printer's page offers, in device pixels.
struct PrintDevice {
  int width = 0;       // HORZRES
  int height = 0;      // VERTRES
  int dpiX = 0;        // LOGPIXELSX
  int dpiY = 0;        // LOGPIXELSY
  int lineHeight = 0;  // text height plus external leading
  bool landscape = false;
};

struct PictureRect {
  int left = 0, top = 0, width = 0, height = 0;
  int shiftX = 0, shiftY = 0;  // where the second picture of a page goes, relative to the first
  bool operator==(const PictureRect&) const = default;
};

enum class PictureLayout { Single, SideBySide, Stacked };

class CPrintJob {
 public:
  explicit CPrintJob(CQuorvelDoc& doc);
  // Ends the job if Begin was called and End not.
  ~CPrintJob();
  CPrintJob(const CPrintJob&) = delete;
  CPrintJob& operator=(const CPrintJob&) = delete;

  // Whether the project has a step to print at all.
  static bool CanPrint(const CQuorvelDoc& doc);
  // Counts the pages for the device and puts the document into print mode; the page count (0:
  // nothing to print, logged).
  unsigned Begin(const PrintDevice& device);
  // Takes the document out of print mode and makes the remembered model active again.
  void End();

  unsigned GetTotalPages() const { return m_totalPages; }
  unsigned GetFirstPartsListPage() const { return m_firstListPage; }
  int GetLinesPerPage() const { return m_linesPerPage; }

  // What page p (from 1) shows; makes its model active (every model is printed) for the calls below.
  struct Page {
    bool valid = false;
    bool partsList = false;
    int model = 0;      // position in the project
    unsigned base = 0;  // pages of the table before this entry
  };
  Page PreparePage(unsigned p);

  // --- picture pages ---
  int PicturesPerPage(const Page& page) const;
  PictureLayout Layout(const Page& page) const;
  // Renders picture j (0 or 1) of the page into Picture(); false when the page has no such
  // picture (past the model's last step) or it could not be rendered.
  bool RenderPicture(const Page& page, unsigned p, int j);
  const CDib& Picture() const { return m_picture.renderer.GetImage(); }
  // True once a picture could not be rendered (no memory for its size) since Begin.
  bool RenderFailed() const { return m_renderFailed; }
  // The number stamped into picture j of page p, counted over the whole job without gaps.
  unsigned StampNumber(const Page& page, unsigned p, int j) const;

  // --- parts-list pages ---
  std::string PartsListTitle() const;
  // Tab stops in per cent of the page width.
  std::vector<int> TabStops() const;
  // The lines of parts-list page p, recomputed from the start of its model's list.
  std::vector<std::string> PartsListLines(const Page& page, unsigned p);

  // --- every page ---
  std::string HeaderText() const;
  std::string FooterText(unsigned p) const;
  static int LinesPerPage(const PrintDevice& device);
  static PictureRect GetPictureRect(const PrintDevice& device, int pictureWidth, int pictureHeight,
                                    PictureLayout layout);
  void PictureSize(int& width, int& height) const;

 private:
  int ModelsToPrint() const;
  void ActivateForPrint(int model);
  unsigned CountPages(const PrintDevice& device);
  // The parts-list line source over the active model.
  void RestartLines();
  bool NextLine(std::string& line);

  CQuorvelDoc& m_doc;
  bool m_begun = false;
  bool m_landscape = false;
  int m_savedModel = 0;
  std::vector<unsigned> m_table;     // picture pages per model, then parts-list pages per model
  std::vector<unsigned> m_pictures;  // pictures per model
  std::vector<int> m_steps;          // steps per model (with the extra step)
  unsigned m_firstListPage = 1;
  unsigned m_totalPages = 0;
  int m_linesPerPage = 1;
  ScenePicture m_picture;
  bool m_renderFailed = false;
  // Parts-list cursor: -1 means collect the next step first.
  int m_listStep = 0;
  int64_t m_cursor = -1;
  uint32_t m_iterator = 0;
};
