#include "app/DocumentCommands.h"

#include <wx/filehistory.h>

#include "app/CommandTable.h"
#include "app/DocumentHost.h"
#include "app/MainFrame.h"
#include "app/RecentFiles.h"
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

CommandState Enabled(bool on) { return CommandState{on, false}; }

[[maybe_unused]] void SaveHistory(wxFileHistory& history) {
  std::vector<std::string> files;
  for (size_t i = 0; i < history.GetCount(); ++i) files.push_back(history.GetHistoryFile(i).utf8_string());
  SaveRecentFiles(TheProfile(), files);
  TheProfile().Flush();
}

void BindFileCommands([[maybe_unused]] CMainFrame& frame, [[maybe_unused]] CQuorvelDoc& doc,
                      [[maybe_unused]] wxFileHistory* history) {
  auto always = [] { return CommandState{true, false}; };
  auto save = [&doc] { return Enabled(doc.CanSave()); };
  auto revert = [&doc] { return Enabled(doc.CanRevert()); };
  auto addModel = [&doc] { return Enabled(doc.CanAddModel()); };
  auto activate = [&doc] { return Enabled(doc.CanActivateModel()); };
  auto editModels = [&doc] { return Enabled(doc.CanEditModels()); };
  frame.SetCommandHandler(cmd::kFileNew, [&doc] { doc.OnFileNew(); }, always);
  frame.SetCommandHandler(cmd::kFileOpen, [&doc] { doc.OnFileOpen(); }, always);
  frame.SetCommandHandler(cmd::kFileSave, [&doc] { doc.OnFileSave(); }, save);
  frame.SetCommandHandler(id::kSaveAs, [&doc] { doc.OnFileSaveAs(); }, always);
  frame.SetCommandHandler(id::kRevert, [&doc] { doc.OnFileRevert(); }, revert);
  frame.SetCommandHandler(id::kNewModel, [&doc] { doc.OnNewModel(); }, addModel);
  frame.SetCommandHandler(id::kActivateModel, [&doc] { doc.OnActivateModel(); }, activate);
  frame.SetCommandHandler(id::kModelInfo, [&doc] { doc.OnChangeModelInfo(); }, editModels);
  frame.SetCommandHandler(id::kImportModel, [&doc] { doc.OnImportModel(); }, addModel);
  frame.SetCommandHandler(id::kRemoveModel, [&doc] { doc.OnRemoveModel(); }, editModels);
  frame.SetCommandHandler(id::kModelSequence, [&doc] { doc.OnModelSequence(); }, editModels);
  frame.SetCommandHandler(id::kExportModels, [&doc] { doc.OnExportModels(); }, editModels);
  if (!history) return;
  // The recent files: the menu ids of the history, not command ids. A file that cannot be opened
  // leaves the list; a cancelled save question leaves it alone.
  int first = history->GetBaseId();
  int last = first + static_cast<int>(history->GetMaxFiles()) - 1;
  frame.Bind(
      wxEVT_MENU,
      [history, first](wxCommandEvent& event) {
        size_t i = static_cast<size_t>(event.GetId() - first);
        if (i >= history->GetCount()) return;
        std::string path = history->GetHistoryFile(i).utf8_string();
        if (OpenDocumentFile(path, true) == OpenResult::Failed) {
          history->RemoveFileFromHistory(i);
          SaveHistory(*history);
        }
      },
      first, last);
  for (int i = first; i <= last; ++i) frame.Rules().Set(i, always);
}

void BindStepCommands([[maybe_unused]] CMainFrame& frame, [[maybe_unused]] CQuorvelDoc& doc) {
  auto back = [&doc] { return Enabled(doc.CanGoBack()); };
  auto forward = [&doc] { return Enabled(doc.CanGoForward()); };
  frame.SetCommandHandler(id::kFirst, [&doc] { doc.OnFirst(); }, back);
  frame.SetCommandHandler(id::kPrevious, [&doc] { doc.OnPrevious(); }, back);
  frame.SetCommandHandler(id::kNext, [&doc] { doc.OnNext(); }, forward);
  frame.SetCommandHandler(id::kLast, [&doc] { doc.OnLast(); }, forward);
  frame.SetCommandHandler(
      id::kFastBackward, [&doc] { doc.OnFastBackward(); }, [&doc] { return Enabled(doc.CanFastBackward()); });
  frame.SetCommandHandler(
      id::kFastForward, [&doc] { doc.OnFastForward(); }, [&doc] { return Enabled(doc.CanFastForward()); });
  frame.SetCommandHandler(
      id::kAutosteps, [&doc] { doc.OnAutosteps(); }, [&doc] { return Enabled(doc.GetEditMode() == 1); });
}

void BindModeCommands([[maybe_unused]] CMainFrame& frame, [[maybe_unused]] CQuorvelDoc& doc) {
  frame.SetCommandHandler(
      cmd::kViewMode,
      [&doc] {
        if (doc.GetEditMode() == 1) doc.OnViewMode();
      },
      [&doc] { return CommandState{true, doc.GetEditMode() == 0}; });
  const std::pair<int, int> subModes[] = {
      {cmd::kEditMode, 0}, {id::kPanMode, 1}, {id::kRotateMode, 2}, {id::kZoomMode, 3}};
  for (auto [command, subMode] : subModes)
    frame.SetCommandHandler(
        command, [&doc, subMode] { doc.SetEditMode(subMode); },
        [&doc, subMode] { return CommandState{true, doc.GetEditMode() == 1 && doc.GetEditSubMode() == subMode}; });
}
}  // namespace

void BindDocumentCommands(CMainFrame& frame, CQuorvelDoc& document, wxFileHistory* history) {
  CQuorvelDoc& doc = document;
  frame.SetCommandHandler(id::kUndo, [&doc] { doc.OnEditUndo(); }, [&doc] { return Enabled(doc.CanUndo()); });
  BindFileCommands(frame, doc, history);
  BindStepCommands(frame, doc);
  BindModeCommands(frame, doc);
}

bool QueryDiscardDocument() {
  if (!theDocument) return true;
  return theDocument->SaveModified();
}

OpenResult OpenDocumentFile(const std::string& path, bool askToSave) {
  if (!theDocument) return OpenResult::Failed;
  if (askToSave && !theDocument->SaveModified()) return OpenResult::Cancelled;
  if (!theDocument->OnOpenDocument(path)) {
    theTracer.Printf("ERROR: Could not open \"%s\"\n", path.c_str());
    return OpenResult::Failed;
  }
  theTracer.Printf("Opened \"%s\" as \"%s\": %zu model(s)\n", path.c_str(), theDocument->GetTitle().c_str(),
                   theDocument->GetProject().GetModelCount());
  return OpenResult::Opened;
}
