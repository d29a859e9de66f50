#pragma once
// Save Image(s): pictures of every building step, or of each finished model, of the active model
// or of all models, rendered through the document's render road in print mode and handed to a
// writer one by one under numbered names. The dialogs and the file writer are the caller's.
#include <string>
#include <vector>

class CDib;
class CQuorvelDoc;

struct PictureSeriesOptions {
  int kind = 0;        // 0 a picture per step, 1 a picture of each complete model
  int resolution = 2;  // 0-6: 160 x 120 ... 1600 x 1200; others 1024 x 768
  int fileType = 0;    // 0-4: BMP, JPEG, GIF, PNG, TIFF
  bool submodels = true;
  bool stepNumbers = true;
  bool perspective = false;
  double view[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// Writes one picture; false when it could not be written.
class IPictureWriter {
 public:
  virtual ~IPictureWriter() = default;
  virtual bool Write(const std::string& path, const CDib& picture, const std::string& formatWord) = 0;
};

void PictureSize(int resolution, int& width, int& height);
const char* PictureFormatWord(int fileType);
// base + (index + 1) with as many digits as count needs (at least one) + extension; count 1 gives
// base + extension.
std::string MakeNumberedFileName(const std::string& base, const std::string& extension, unsigned long count,
                                 unsigned long index);
// Splits the chosen name at the last '.' of its file name (never of a folder): base and extension
// with its '.'. A name without one gets "." and the format word.
void SplitPictureName(const std::string& path, const std::string& formatWord, std::string& base,
                      std::string& extension);
// The document's file name without its extension: the name the file dialog starts with.
std::string DefaultPictureName(const std::string& documentPath);

// The names SavePictureSeries would write for the document as it is, in order (none when it
// would write nothing), so that the caller can ask once before files of a series are replaced.
std::vector<std::string> PictureSeriesNames(const CQuorvelDoc& doc, const PictureSeriesOptions& options,
                                            const std::string& path);

enum class SeriesResult { Written, Nothing, Failed, Cancelled };

// Renders and writes the pictures under `path`. A picture that cannot be rendered or written stops
// the series with the message "Failed to create the file!"; so does Cancel on the progress window,
// without a message. Pictures written before stay. The active model, the shown step and the mode
// are as before afterwards.
SeriesResult SavePictureSeries(CQuorvelDoc& doc, const PictureSeriesOptions& options, const std::string& path,
                               IPictureWriter& writer);
