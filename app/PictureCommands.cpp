#include "app/PictureCommands.h"

#include <wx/app.h>

#include <filesystem>

#include "app/CommandMap.h"
#include "app/PictureFile.h"
#include "config/StringUtils.h"
#include "dialogs/SavePicDlg.h"
#include "document/DocumentHost.h"
#include "document/PictureSeries.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kSaveImages = 32864;
constexpr int kStepContent = 3;

class CPictureFileWriter : public IPictureWriter {
 public:
  bool Write(const std::string& path, const CDib& picture, const std::string& formatWord) override {
    return SavePictureFile(path, picture, formatWord) == 1;
  }
};

void RunSaveImages(CQuorvelDoc& doc) {
  // The pictures go through wxImage's encoders: the image library is not needed here, and a
  // missing one must not end the program with the document unsaved.
  CSavePicDlg dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, doc.GetActiveModel());
  if (dialog.ShowModal() != wxID_OK) return;
  FileDialogRequest request;
  request.title = GetSubString(LoadResString(kStringDialogTitles), 5);
  request.filter = "All Files (*.*)|*.*||";
  const std::string name = DefaultPictureName(doc.GetPathName());
  const size_t slash = name.find_last_of('/');
  request.initialFolder = slash == std::string::npos ? std::string() : name.substr(0, slash);
  request.initialName = slash == std::string::npos ? name : name.substr(slash + 1);
  request.save = true;
  std::string path;
  if (!doc.Host().ChooseFile(request, path)) return;
  SavePicturesTo(doc, path);
}
}  // namespace

bool ReplaceExistingPictures(const CQuorvelDoc& doc, const std::string& path) {
  // The file dialog asked about the chosen name only; the numbered names are asked about once.
  unsigned long existing = 0;
  std::string first;
  for (const std::string& name : PictureSeriesNames(doc, CSavePicDlg::Options(), path)) {
    std::error_code error;
    if (name == path || !std::filesystem::exists(name, error)) continue;
    if (existing++ == 0) first = name;
  }
  return existing == 0 || ShowMessageId(kStringPicturesExist, PromptButtons::YesNo, PromptIcon::Question,
                                        existing, first.c_str()) == PromptAnswer::Yes;
}

bool SavePicturesTo(CQuorvelDoc& doc, const std::string& path) {
  if (!ReplaceExistingPictures(doc, path)) return false;
  CPictureFileWriter writer;
  return SavePictureSeries(doc, CSavePicDlg::Options(), path, writer) == SeriesResult::Written;
}

void BindPictureCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(
      kSaveImages, [&doc] { RunSaveImages(doc); },
      [&doc] {
        const CQvFile* model = doc.GetActiveModel();
        return EnabledIf(model && model->CountElements(kStepContent) > 0);
      });
}
