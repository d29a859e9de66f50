#include "app/ModelReportCommands.h"

#include <wx/app.h>

#include "app/CommandMap.h"
#include "dialogs/CommentDlg.h"
#include "dialogs/DimensionsDlg.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/QvPart.h"

namespace {
namespace id {
constexpr int kDimensions = 32830;
constexpr int kComments = 32831;
}  // namespace id

wxWindow* Parent() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

void ShowDimensions(CQuorvelDoc& doc) {
  double size[3] = {};
  if (!doc.GetModelDimensions(size)) return;
  CDimensionsDlg dialog(Parent(), size[0], size[1], size[2]);
  dialog.ShowModal();
}

void ShowComments(CQuorvelDoc& doc) {
  CQvFile* model = doc.GetActiveModel();
  if (!model) return;
  CCommentDlg dialog(Parent(), [model](std::vector<std::string>& list, uint32_t flags) {
    for (size_t i = 0; i < model->GetCount(); ++i) model->GetAt(i)->CollectComments(list, flags);
  });
  dialog.ShowModal();
}
}  // namespace

void BindModelReportCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(id::kDimensions, [&doc] { ShowDimensions(doc); }, [&doc] { return EnabledIf(doc.CanMeasure()); });
  commands.Set(id::kComments, [&doc] { ShowComments(doc); }, [&doc] { return EnabledIf(doc.CanListComments()); });
}
