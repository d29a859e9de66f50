#include "document/PictureSeries.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Prompt.h"
#include "render/C3DStub.h"
#include "render/GfxStamp.h"
#include "render/ViewLabel.h"
#include "resources/StringIds.h"

void PictureSize(int resolution, int& width, int& height) {
  static const int kSizes[7][2] = {{160, 120}, {320, 240}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024},
                                   {1600, 1200}};
  const bool known = resolution >= 0 && resolution < 7;
  width = known ? kSizes[resolution][0] : 1024;
  height = known ? kSizes[resolution][1] : 768;
}

const char* PictureFormatWord(int fileType) {
  static const char* const kWords[] = {"BMP", "JPEG", "GIF", "PNG", "TIFF"};
  return fileType >= 0 && fileType < 5 ? kWords[fileType] : kWords[0];
}

std::string MakeNumberedFileName(const std::string& base, const std::string& extension, unsigned long count,
                                 unsigned long index) {
  if (count == 1) return base + extension;
  const int digits = count <= 9 ? 1 : count <= 99 ? 2 : count <= 999 ? 3 : 4;
  char number[32];
  std::snprintf(number, sizeof number, "%0*lu", digits, index + 1);
  return base + number + extension;
}

void SplitPictureName(const std::string& path, const std::string& formatWord, std::string& base,
                      std::string& extension) {
  const size_t slash = path.find_last_of('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.find_last_of('.');
  // A dot in a folder name, or the leading dot of a hidden file, is part of the name.
  if (dot == std::string::npos || dot <= nameStart) {
    base = path;
    extension = "." + formatWord;
    return;
  }
  base = path.substr(0, dot);
  extension = path.substr(dot);
}

std::string DefaultPictureName(const std::string& documentPath) {
  std::string base, extension;
  SplitPictureName(documentPath, "", base, extension);
  return base;
}

namespace {

int StepsWithExtra(const CQvFile* model) {
  if (!model) return 0;
  int count = model->CountSteps();
  if (theSettings.APVT != 0 && count > 1) ++count;
  return count;
}

// Everything the series changes in the document, put back however it ends.
class CPrintModeScope {
 public:
  explicit CPrintModeScope(CQuorvelDoc& doc) : m_doc(doc), m_model(doc.GetProject().GetCurrentIndex()) {
    m_doc.SetPrintMode(1);
  }
  ~CPrintModeScope() {
    if (m_doc.GetProject().GetModelCount() > 1) m_doc.ActivateModel(m_model);
    m_doc.SetPrintMode(0);
  }
  CPrintModeScope(const CPrintModeScope&) = delete;
  CPrintModeScope& operator=(const CPrintModeScope&) = delete;

 private:
  CQuorvelDoc& m_doc;
  int m_model;
};

class CSeries {
 public:
  CSeries(CQuorvelDoc& doc, const PictureSeriesOptions& options, IPictureWriter& writer)
      : m_doc(doc), m_options(options), m_writer(writer) {
    PictureSize(options.resolution, m_width, m_height);
    m_picture.renderer.EnablePickBuffer(doc.GetEditMode() == 0 && theSettings.APVT != 0);
  }

  void BeginProgress(bool open, int range) {
    if (open) m_progress = m_doc.Ports().BeginProgress("Creating pictures ...", range);
    if (m_progress) m_progress->SetMessage("Creating pictures ...");
  }

  // Renders the shown step of the active model and writes it; the stamp is number + 1.
  SeriesResult Picture(const std::string& name, bool firstOfModel, unsigned long number) {
    if (m_progress && m_progress->IsCancelled()) return SeriesResult::Cancelled;
    RenderRequest request;
    request.width = m_width;
    request.height = m_height;
    std::copy(m_options.view, m_options.view + 9, request.viewMatrix);
    request.reRender = firstOfModel;
    request.perspective = m_options.perspective;
    const int drawn = m_doc.Create3DStub(m_picture, request);
    if (!drawn) return Fail(name);
    if (m_options.stepNumbers) Stamp(number + 1);
    if (!m_writer.Write(name, m_picture.renderer.GetImage(), PictureFormatWord(m_options.fileType))) return Fail(name);
    if (m_progress) m_progress->Step();
    return SeriesResult::Written;
  }

 private:
  void Stamp(unsigned long number) {
    // Black digits on a light background, white ones on a dark.
    const LabelRgb text = LabelTextColor(PaneBackgroundColor(static_cast<uint32_t>(theSettings.BackgroundColor)));
    const uint32_t color = text.r ? 15 : 0;
    CGfxStamp stamp;
    C3DStub digits;
    if (stamp.Draw(static_cast<uint32_t>(number), digits, color, static_cast<uint32_t>(m_width),
                   static_cast<uint32_t>(m_height / 10)))
      m_picture.renderer.PasteBehind(digits, 0, 0);
  }

  SeriesResult Fail(const std::string& name) {
    theTracer.Printf("ERROR: the picture '%s' could not be made or written\n", name.c_str());
    m_progress.reset();
    ShowMessageId(kStringExportCreateFailed, PromptButtons::Ok, PromptIcon::Stop);
    return SeriesResult::Failed;
  }

  CQuorvelDoc& m_doc;
  const PictureSeriesOptions& m_options;
  IPictureWriter& m_writer;
  int m_width = 0, m_height = 0;
  ScenePicture m_picture;
  std::unique_ptr<IProgress> m_progress;
};

}  // namespace

std::vector<std::string> PictureSeriesNames(const CQuorvelDoc& doc, const PictureSeriesOptions& options,
                                            const std::string& path) {
  std::string base, extension;
  SplitPictureName(path, PictureFormatWord(options.fileType), base, extension);
  const CMpdFile& project = doc.GetProject();
  const bool all = options.submodels && project.GetModelCount() > 1;
  if (options.submodels && project.GetModelCount() == 0) return {};
  const int models = all ? static_cast<int>(project.GetModelCount()) : 1;
  unsigned long count = static_cast<unsigned long>(models);
  if (options.kind == 0) {
    count = 0;
    for (int i = 0; i < models; ++i)
      count += static_cast<unsigned long>(StepsWithExtra(all ? project.GetModel(static_cast<size_t>(i))
                                                              : doc.GetActiveModel()));
  }
  std::vector<std::string> names;
  for (unsigned long k = 0; k < count; ++k) names.push_back(MakeNumberedFileName(base, extension, count, k));
  return names;
}

SeriesResult SavePictureSeries(CQuorvelDoc& doc, const PictureSeriesOptions& options, const std::string& path,
                               IPictureWriter& writer) {
  std::string base, extension;
  SplitPictureName(path, PictureFormatWord(options.fileType), base, extension);
  const CMpdFile& project = doc.GetProject();
  const bool all = options.submodels && project.GetModelCount() > 1;
  const int models = all ? static_cast<int>(project.GetModelCount()) : 1;
  if (options.submodels && project.GetModelCount() == 0) return SeriesResult::Nothing;

  CPrintModeScope printMode(doc);
  CSeries series(doc, options, writer);
  unsigned long written = 0;
  if (options.kind == 0) {
    // The total is what the loop below writes: each model's steps with the extra last one.
    unsigned long total = 0;
    for (int i = 0; i < models; ++i)
      total += static_cast<unsigned long>(StepsWithExtra(all ? project.GetModel(static_cast<size_t>(i))
                                                              : doc.GetActiveModel()));
    if (total == 0) return SeriesResult::Nothing;
    series.BeginProgress(total > 1, static_cast<int>(total) + 1);
    for (int i = 0; i < models; ++i) {
      if (all) doc.ActivateModel(i);
      const int steps = StepsWithExtra(doc.GetActiveModel());
      for (int s = 1; s <= steps; ++s) {
        if (s == 1)
          doc.SetStep(1);
        else
          doc.NextStep();
        const SeriesResult result =
            series.Picture(MakeNumberedFileName(base, extension, total, written), s == 1, written);
        if (result != SeriesResult::Written) return result;
        ++written;
      }
    }
    return SeriesResult::Written;
  }
  series.BeginProgress(models > 1, models);
  for (int i = 0; i < models; ++i) {
    if (all) doc.ActivateModel(i);
    doc.SetStep(-1);
    const unsigned long index = static_cast<unsigned long>(i);
    const SeriesResult result =
        series.Picture(MakeNumberedFileName(base, extension, static_cast<unsigned long>(models), index), true, index);
    if (result != SeriesResult::Written) return result;
  }
  return SeriesResult::Written;
}
