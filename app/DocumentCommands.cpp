#include "app/DocumentCommands.h"

#include <wx/filehistory.h>

#include "app/ColorCommands.h"
#include "app/CommandMap.h"
#include "app/CommandTable.h"
#include "app/DocumentHost.h"
#include "app/EditCommands.h"
#include "app/ExportCommands.h"
#include "app/InsertCommands.h"
#include "app/MinifigCommands.h"
#include "app/ModelGeneratorCommands.h"
#include "app/ModelReportCommands.h"
#include "app/PictureCommands.h"
#include "app/PrintCommands.h"
#include "app/RecentFiles.h"
#include "app/ReportCommands.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "platform/Profile.h"

namespace {
namespace id {
constexpr int kSaveAs = 57604;
constexpr int kRevert = 32978;
constexpr int kUndo = 57643;
constexpr int kNewModel = 32872;
constexpr int kActivateModel = 32873;
constexpr int kModelInfo = 32877;
constexpr int kImportModel = 32874;
constexpr int kRemoveModel = 32875;
constexpr int kModelSequence = 32972;
constexpr int kExportModels = 32876;
constexpr int kPanMode = 32916;
constexpr int kRotateMode = 32923;
constexpr int kZoomMode = 32926;
constexpr int kFirst = 32856;
constexpr int kPrevious = 32857;
constexpr int kNext = 32858;
constexpr int kLast = 32859;
constexpr int kFastBackward = 32970;
constexpr int kFastForward = 32971;
constexpr int kAutosteps = 32985;
}  // namespace id

CommandState Enabled(bool on) { return EnabledIf(on); }

void SaveHistory(wxFileHistory& history) {
  std::vector<std::string> files;
  for (size_t i = 0; i < history.GetCount(); ++i) files.push_back(history.GetHistoryFile(i).utf8_string());
  SaveRecentFiles(TheProfile(), files);
  TheProfile().Flush();
}

void BindFileCommands(CCommandMap& commands, CQuorvelDoc& doc, wxFileHistory* history) {
  auto always = CCommandMap::Always;
  auto save = [&doc] { return Enabled(doc.CanSave()); };
  auto revert = [&doc] { return Enabled(doc.CanRevert()); };
  auto addModel = [&doc] { return Enabled(doc.CanAddModel()); };
  auto activate = [&doc] { return Enabled(doc.CanActivateModel()); };
  auto editModels = [&doc] { return Enabled(doc.CanEditModels()); };
  commands.Set(cmd::kFileNew, [&doc] { doc.OnFileNew(); }, always);
  commands.Set(cmd::kFileOpen, [&doc] { doc.OnFileOpen(); }, always);
  commands.Set(cmd::kFileSave, [&doc] { doc.OnFileSave(); }, save);
  commands.Set(id::kSaveAs, [&doc] { doc.OnFileSaveAs(); }, always);
  commands.Set(id::kRevert, [&doc] { doc.OnFileRevert(); }, revert);
  commands.Set(id::kNewModel, [&doc] { doc.OnNewModel(); }, addModel);
  commands.Set(id::kActivateModel, [&doc] { doc.OnActivateModel(); }, activate);
  commands.Set(id::kModelInfo, [&doc] { doc.OnChangeModelInfo(); }, editModels);
  commands.Set(id::kImportModel, [&doc] { doc.OnImportModel(); }, addModel);
  commands.Set(id::kRemoveModel, [&doc] { doc.OnRemoveModel(); }, editModels);
  commands.Set(id::kModelSequence, [&doc] { doc.OnModelSequence(); }, editModels);
  commands.Set(id::kExportModels, [&doc] { doc.OnExportModels(); }, editModels);
  if (!history) return;
  // The recent files: the menu ids of the history, not command ids. A file that cannot be opened
  // leaves the list; a cancelled save question leaves it alone.
  for (int n = 0; n < history->GetMaxFiles(); ++n) {
    size_t i = static_cast<size_t>(n);
    commands.Set(
        history->GetBaseId() + n,
        [&doc, history, i] {
          if (i >= history->GetCount()) return;
          std::string path = history->GetHistoryFile(i).utf8_string();
          if (OpenDocumentFile(&doc, path, true) == OpenResult::Failed) {
            history->RemoveFileFromHistory(i);
            SaveHistory(*history);
          }
        },
        always);
  }
}

void BindStepCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  auto back = [&doc] { return Enabled(doc.CanGoBack()); };
  auto forward = [&doc] { return Enabled(doc.CanGoForward()); };
  commands.Set(id::kFirst, [&doc] { doc.OnFirst(); }, back);
  commands.Set(id::kPrevious, [&doc] { doc.OnPrevious(); }, back);
  commands.Set(id::kNext, [&doc] { doc.OnNext(); }, forward);
  commands.Set(id::kLast, [&doc] { doc.OnLast(); }, forward);
  commands.Set(
      id::kFastBackward, [&doc] { doc.OnFastBackward(); }, [&doc] { return Enabled(doc.CanFastBackward()); });
  commands.Set(
      id::kFastForward, [&doc] { doc.OnFastForward(); }, [&doc] { return Enabled(doc.CanFastForward()); });
  commands.Set(
      id::kAutosteps, [&doc] { doc.OnAutosteps(); }, [&doc] { return Enabled(doc.GetEditMode() == 1); });
}

void BindModeCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(
      cmd::kViewMode,
      [&doc] {
        if (doc.GetEditMode() == 1) doc.OnViewMode();
      },
      [&doc] { return CommandState{true, doc.GetEditMode() == 0}; });
  // Pan, rotate and zoom are mouse modes of the 3-D panes.
  const struct {
    int command, subMode;
    bool built;
  } subModes[] = {{cmd::kEditMode, 0, true}, {id::kPanMode, 1, true}, {id::kRotateMode, 2, true},
                  {id::kZoomMode, 3, true}};
  for (auto [command, subMode, built] : subModes)
    commands.Set(
        command, [&doc, subMode] { doc.SetEditMode(subMode); },
        [&doc, subMode, built] {
          return CommandState{built, doc.GetEditMode() == 1 && doc.GetEditSubMode() == subMode};
        });
}
}  // namespace

std::unique_ptr<CCommandMap> MakeDocumentCommands(CQuorvelDoc& document, wxFileHistory* history) {
  CQuorvelDoc& doc = document;
  auto commands = std::make_unique<CCommandMap>();
  commands->Set(id::kUndo, [&doc] { doc.OnEditUndo(); }, [&doc] { return Enabled(doc.CanUndo()); });
  BindFileCommands(*commands, doc, history);
  BindStepCommands(*commands, doc);
  BindModeCommands(*commands, doc);
  BindReportCommands(*commands, doc);
  BindPrintCommands(*commands, doc);
  BindPictureCommands(*commands, doc);
  BindEditCommands(*commands, doc);
  BindColorCommands(*commands, doc);
  BindExportCommands(*commands, doc);
  BindModelReportCommands(*commands, doc);
  BindInsertCommands(*commands, doc);
  BindModelGeneratorCommands(*commands, doc);
  BindMinifigCommands(*commands, doc);
  return commands;
}

bool QueryDiscardDocument(CQuorvelDoc* doc) {
  if (!doc) return true;
  return doc->SaveModified();
}

OpenResult OpenDocumentFile(CQuorvelDoc* doc, const std::string& path, bool askToSave) {
  if (!doc) return OpenResult::Failed;
  if (askToSave && !doc->SaveModified()) return OpenResult::Cancelled;
  if (!doc->OnOpenDocument(path)) {
    theTracer.Printf("ERROR: Could not open \"%s\"\n", path.c_str());
    return OpenResult::Failed;
  }
  theTracer.Printf("Opened \"%s\" as \"%s\": %zu model(s)\n", path.c_str(), doc->GetTitle().c_str(),
                   doc->GetProject().GetModelCount());
  return OpenResult::Opened;
}
