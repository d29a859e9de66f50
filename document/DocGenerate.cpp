// The output of the generators: a generated model appended to the active model, made a new model
// of the project or a new project, and the new project the landscape, mosaic and rotation
// generators build into.
//
// A generator's new project is untitled and has no path: saving it must never write over the file
// the previous project came from. It is a project of its own in the undo ring, so Undo back into
// the previous one brings that one's path and title back (QuorvelDoc.cpp).
#include "config/StringUtils.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

void CQuorvelDoc::ResetGeneratorState() {
  ResetToEmptyProject();
  m_editMode = 1;
  m_editSubMode = 0;
  m_prevDrawnStep = 0;
  m_shownStep = -1;
  m_multipartState = 0;
}

int CQuorvelDoc::NewProjectForGenerator() {
  if (!SaveModified()) return 0;
  m_projectIdentity[m_projectSerial] = {m_title, m_pathName, m_multipartState};
  m_projectSerial = ++m_lastProjectSerial;
  m_title = "Untitled";
  m_pathName.clear();
  ResetGeneratorState();
  // The new project's own snapshot, so Undo can step back over it; nothing in it needs saving.
  PushUndoSnapshot();
  MarkSaved();
  m_host->SetEditMode(1);
  return 1;
}

void CQuorvelDoc::EndGeneratorProject(bool accepted) {
  if (accepted) {
    m_editMode = 1;
    m_editSubMode = 0;
    m_prevDrawnStep = 0;
    m_shownStep = -1;
    m_multipartState = 0;
    SetModifiedFlag(1);
  } else {
    // The same empty project as the snapshot NewProjectForGenerator took.
    ResetGeneratorState();
    MarkSaved();
  }
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

namespace {
bool NameTaken(const CMpdFile& project, const std::string& name) {
  // AddModel's rule: ".ldr" unless the name ends in ".ldr" or ".dat".
  std::string final = name;
  const std::string lower = ToLowerAscii(name);
  if (!lower.ends_with(".ldr") && !lower.ends_with(".dat")) final += ".ldr";
  for (const std::string& taken : project.GetModelNames())
    if (EqualsNoCase(taken, final)) return true;
  return false;
}
}  // namespace

int CQuorvelDoc::InsertGeneratedModel(int kind, CQvFile& model, const std::string& name) {
  if (kind < 0 || kind > 2) return 0;
  if (kind == 2) {
    if (!NewProjectForGenerator()) return 0;
    ResetGeneratorState();
  } else {
    if (!SaveModified()) return 0;
    if (kind == 1) {
      std::string modelName = name, description;
      if (!m_host->NewModelDialog(modelName, description)) return 0;
      if (NameTaken(m_project, modelName)) {
        ShowMessageId(kStringModelNameTaken, PromptButtons::Ok, PromptIcon::Exclamation);
        return 0;
      }
      if (!m_project.AddModel(&modelName, &description)) return 0;
    }
  }
  RefreshActiveModel();
  if (!m_activeModel) return 0;
  m_activeModel->MoveElementsFrom(model, 1);
  if (m_project.HasRecursion()) {
    // Back to the newest snapshot: the state before anything was added (the present state always
    // has one), with no snapshot of the refused state.
    if (m_undoCurrent >= 0) m_project.LoadUndo(m_undo[static_cast<size_t>(m_undoCurrent)].get());
    RefreshActiveModel();
    UpdateAllViews(HINT_REFIT);
    SendModelChanged();
    ShowMessageId(kStringIncludeRecursion, PromptButtons::Ok, PromptIcon::Stop);
    return 0;
  }
  m_editMode = 1;
  m_editSubMode = 0;
  m_prevDrawnStep = 0;
  m_shownStep = -1;
  SetModifiedFlag(1);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
  return 1;
}
