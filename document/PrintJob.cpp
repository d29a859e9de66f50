#include "document/PrintJob.h"

#include <algorithm>

#include "config/ColorEntry.h"
#include "config/ColorTable.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "render/GfxStamp.h"
#include "render/ViewLabel.h"
#include "resources/StringIds.h"

namespace {

int StepsWithExtra(const CQvFile* model) {
  if (!model) return 0;
  int count = model->CountSteps();
  if (theSettings.APVT != 0 && count > 1) ++count;
  return count;
}

unsigned CountUsageEntries(CPartList& list) {
  unsigned entries = 0;
  uint32_t it = 0, count = 0, colour = 0;
  PartHandle handle = 0;
  while (list.NextUsage(it, handle, count, colour))
    if (count > 0) ++entries;
  return entries;
}

// The lines of a model's parts list: per step, or once for the whole model.
unsigned CountListLines(CPartList& list, const CQvFile& model) {
  unsigned lines = 0;
  if (theSettings.PrintPLPP) {
    const int32_t steps = model.CountSteps();
    for (int32_t s = 1; s <= steps; ++s) {
      model.CollectPartUsage(s, s - 1, 0);
      lines += CountUsageEntries(list);
    }
  } else {
    model.CollectPartUsage(-1, 0, 0);
    lines = CountUsageEntries(list);
  }
  list.ResetUsage();
  return lines;
}

}  // namespace

CPrintJob::CPrintJob(CQuorvelDoc& doc) : m_doc(doc) {}

CPrintJob::~CPrintJob() { End(); }

bool CPrintJob::CanPrint(const CQuorvelDoc& doc) { return doc.GetProject().CountAllSteps(0) > 0; }

int CPrintJob::ModelsToPrint() const {
  return theSettings.PrintSubModel ? std::max<int>(static_cast<int>(m_doc.GetProject().GetModelCount()), 1) : 1;
}

static const CQvFile* ModelAt(const CQuorvelDoc& doc, int index, bool all) {
  return all ? doc.GetProject().GetModel(static_cast<size_t>(index)) : doc.GetActiveModel();
}

int CPrintJob::LinesPerPage(const PrintDevice& device) {
  if (device.lineHeight <= 0) return 1;
  int lines = device.height / device.lineHeight - 2;
  if (theSettings.PrintHeader) lines -= 2;
  if (theSettings.PrintFooter) lines -= 2;
  // A page too small for a single line still takes one, so the page count stays finite.
  return std::max(lines, 1);
}

unsigned CPrintJob::Begin(const PrintDevice& device) {
  End();
  m_begun = true;
  m_renderFailed = false;
  m_savedModel = m_doc.GetProject().GetCurrentIndex();
  m_landscape = device.landscape;
  m_listStep = 0;
  m_cursor = -1;
  m_totalPages = CountPages(device);
  if (m_totalPages == 0) theTracer.Printf("WARNING: Nothing to print!\n");
  m_doc.SetPrintMode(1);
  return m_totalPages;
}

unsigned CPrintJob::CountPages(const PrintDevice& device) {
  const int models = ModelsToPrint();
  const bool all = theSettings.PrintSubModel != 0;
  m_table.assign(static_cast<size_t>(2 * models), 0);
  m_pictures.assign(static_cast<size_t>(models), 0);
  m_steps.assign(static_cast<size_t>(models), 0);
  m_linesPerPage = LinesPerPage(device);
  if (!m_doc.GetActiveModel() || !CanPrint(m_doc)) return 0;
  unsigned total = 0;
  for (int i = 0; i < models; ++i) {
    const CQvFile* model = ModelAt(m_doc, i, all);
    const size_t at = static_cast<size_t>(i);
    m_steps[at] = StepsWithExtra(model);
    if (!theSettings.PrintModel || !model) continue;
    const unsigned steps = static_cast<unsigned>(m_steps[at]);
    m_pictures[at] = theSettings.PrintSteps ? steps : 1;
    m_table[at] = !theSettings.PrintSteps ? 1 : theSettings.MultiSteps ? (steps + 1) / 2 : steps;
    total += m_table[at];
  }
  m_firstListPage = total + 1;
  if (!theSettings.PrintPL) return total;
  const unsigned perPage = static_cast<unsigned>(m_linesPerPage);
  for (int i = 0; i < models; ++i) {
    const CQvFile* model = ModelAt(m_doc, i, all);
    if (!model) continue;
    const unsigned lines = CountListLines(m_doc.Library().partList, *model);
    m_table[static_cast<size_t>(models + i)] = (lines + perPage - 1) / perPage;
    total += m_table[static_cast<size_t>(models + i)];
  }
  return total;
}

void CPrintJob::End() {
  if (!m_begun) return;
  m_begun = false;
  m_table.clear();
  if (m_doc.GetProject().GetModelCount() > 1) m_doc.ActivateModel(m_savedModel);
  m_doc.SetPrintMode(0);
  m_doc.Library().partList.ResetUsage();
}

CPrintJob::Page CPrintJob::PreparePage(unsigned p) {
  Page page;
  const int models = static_cast<int>(m_table.size() / 2);
  unsigned base = 0;
  for (size_t i = 0; i < m_table.size(); ++i) {
    if (p > base && p <= base + m_table[i]) {
      page.valid = true;
      page.partsList = static_cast<int>(i) >= models;
      page.model = static_cast<int>(i) % std::max(models, 1);
      page.base = base;
      break;
    }
    base += m_table[i];
  }
  if (!page.valid) {
    theTracer.Printf("ERROR: Internal Print Error 1!\n");
    return page;
  }
  if (theSettings.PrintSubModel) {
    ActivateForPrint(page.model);
    m_listStep = 0;
  }
  return page;
}

void CPrintJob::ActivateForPrint(int model) {
  if (m_doc.GetProject().GetModelCount() > 1) m_doc.ActivateModel(model);
}

void CPrintJob::PictureSize(int& width, int& height) const {
  width = theSettings.PrintHQ ? 2048 : 1024;
  height = theSettings.PrintHQ ? 1536 : 768;
}

int CPrintJob::PicturesPerPage(const Page& page) const {
  const size_t at = static_cast<size_t>(page.model);
  const int steps = at < m_steps.size() ? m_steps[at] : 0;
  return theSettings.MultiSteps && theSettings.PrintSteps && steps > 1 ? 2 : 1;
}

PictureLayout CPrintJob::Layout(const Page& page) const {
  if (PicturesPerPage(page) < 2) return PictureLayout::Single;
  return m_landscape ? PictureLayout::SideBySide : PictureLayout::Stacked;
}

unsigned CPrintJob::StampNumber(const Page& page, unsigned p, int j) const {
  unsigned before = 0;
  for (int i = 0; i < page.model && static_cast<size_t>(i) < m_pictures.size(); ++i)
    before += m_pictures[static_cast<size_t>(i)];
  return before + (p - page.base - 1) * static_cast<unsigned>(PicturesPerPage(page)) + static_cast<unsigned>(j) + 1;
}

bool CPrintJob::RenderPicture(const Page& page, unsigned p, int j) {
  if (!page.valid || page.partsList) return false;
  if (theSettings.PrintSteps) {
    const int step = static_cast<int>(p - page.base - 1) * PicturesPerPage(page) + j + 1;
    if (step > m_steps[static_cast<size_t>(page.model)]) return false;
    if (j == 0)
      m_doc.SetStep(step);
    else
      m_doc.NextStep();
  } else {
    m_doc.SetStep(-1);
  }
  int width = 0, height = 0;
  PictureSize(width, height);
  m_picture.renderer.EnablePickBuffer(theSettings.APVT != 0);
  RenderRequest request;
  request.width = width;
  request.height = height;
  std::copy(theDefaultViewMatrix.m.begin(), theDefaultViewMatrix.m.end(), request.viewMatrix);
  request.reRender = j == 0;
  request.perspective = theSettings.Perspective != 0;
  if (!m_doc.Create3DStub(m_picture, request)) {
    m_renderFailed = true;
    theTracer.Printf("ERROR: The %dx%d picture for page %u could not be rendered.\n", width, height, p);
    return false;
  }
  if (theSettings.PrintStepNum) {
    const LabelRgb text = LabelTextColor(PaneBackgroundColor(static_cast<uint32_t>(theSettings.BackgroundColor)));
    CGfxStamp stamp;
    C3DStub digits;
    if (stamp.Draw(StampNumber(page, p, j), digits, text.r ? 15 : 0, static_cast<uint32_t>(width),
                   static_cast<uint32_t>(height / 10)))
      m_picture.renderer.PasteBehind(digits, 0, 0);
  }
  return true;
}

std::string CPrintJob::PartsListTitle() const {
  return LoadResString(theSettings.PrintPLPP ? kStringPartsListTitleSteps : kStringPartsListTitle);
}

std::vector<int> CPrintJob::TabStops() const {
  return theSettings.PrintPLPP ? std::vector<int>{6, 12, 28, 46} : std::vector<int>{6, 22, 40};
}

void CPrintJob::RestartLines() {
  m_cursor = -1;
  m_listStep = 0;
}

bool CPrintJob::NextLine(std::string& line) {
  const CQvFile* model = m_doc.GetActiveModel();
  if (!model) return false;
  for (;;) {
    if (m_cursor == -1) {
      const int32_t steps = model->CountSteps();
      bool found = false;
      while (!found) {
        if (theSettings.PrintPLPP) {
          if (m_listStep >= steps) return false;
          model->CollectPartUsage(m_listStep + 1, m_listStep, 0);
          ++m_listStep;
        } else {
          if (m_listStep > 0) return false;
          model->CollectPartUsage(-1, 0, 0);
          m_listStep = std::max<int32_t>(steps, 1);
        }
        found = m_doc.Library().partList.HasUsage(0) != 0;
      }
      m_iterator = 0;
      m_cursor = 0;
    }
    uint32_t count = 0, colour = 0;
    PartHandle handle = 0;
    if (!m_doc.Library().partList.NextUsage(m_iterator, handle, count, colour)) {
      m_cursor = -1;
      continue;
    }
    ++m_cursor;
    const ColorEntry* colors = model->GetColorTable().GetEntries();
    const std::string colourName = colour < 512 && colors ? std::string(colors[colour].name) : "Custom";
    const char* file = m_doc.Library().partList.GetFileName(handle);
    const char* name = m_doc.Library().partList.GetDescription(handle);
    line.clear();
    if (theSettings.PrintPLPP) line = FormatU32(static_cast<uint32_t>(m_listStep)) + "\t";
    line += FormatU32(count) + "\t" + colourName + "\t" + (file ? file : "UNKNOWN") + "\t" +
            (file ? (name ? name : "") : "Unknown part");
    return true;
  }
}

std::vector<std::string> CPrintJob::PartsListLines(const Page& page, unsigned p) {
  std::vector<std::string> lines;
  if (!page.valid || !page.partsList) return lines;
  RestartLines();
  std::string line;
  // Skip the lines of this model's earlier pages; a page that ran out early ends the skipping.
  for (unsigned skipped = page.base + 1; skipped < p; ++skipped) {
    int n = 0;
    while (n < m_linesPerPage && NextLine(line)) ++n;
    if (n < m_linesPerPage) break;
  }
  while (static_cast<int>(lines.size()) < m_linesPerPage && NextLine(line)) lines.push_back(line);
  return lines;
}

std::string CPrintJob::HeaderText() const {
  const CQvFile* model = m_doc.GetActiveModel();
  if (!model) return {};
  return FillTextArgs(LoadResString(kStringModelCaption), {model->GetDescription(), model->GetName()});
}

std::string CPrintJob::FooterText(unsigned p) const {
  return FillTextArgs(LoadResString(kStringPageOf), {FormatU32(p), FormatU32(m_totalPages)});
}

PictureRect CPrintJob::GetPictureRect(const PrintDevice& device, int pictureWidth, int pictureHeight,
                                      PictureLayout layout) {
  PictureRect rect;
  int w = device.width, h = device.height;
  if (theSettings.PrintHeader) h -= 2 * device.lineHeight;
  if (theSettings.PrintFooter) h -= 2 * device.lineHeight;
  if (layout == PictureLayout::SideBySide) {
    w /= 2;
    rect.shiftX = w;
  } else if (layout == PictureLayout::Stacked) {
    h /= 2;
    rect.shiftY = h;
  }
  // A device that reports no resolution, or an empty picture, has nothing to scale by.
  if (device.dpiX <= 0 || device.dpiY <= 0 || pictureWidth <= 0 || pictureHeight <= 0 || w <= 0 || h <= 0)
    return rect;
  // Whole inches, then the picture's aspect in device pixels, in integers as the layout rule has it.
  int64_t height = static_cast<int64_t>(w / device.dpiX) * pictureHeight * device.dpiY / pictureWidth;
  int64_t width = w;
  if (height > h) {
    height = h;
    width = static_cast<int64_t>(h / device.dpiY) * pictureWidth * device.dpiX / pictureHeight;
  }
  rect.width = static_cast<int>(width);
  rect.height = static_cast<int>(height);
  rect.left = (w - rect.width) / 2;
  rect.top = (h - rect.height) / 2;
  return rect;
}
