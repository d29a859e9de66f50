// The document's state, its modified flag and the undo ring of whole-project snapshots.
#include "document/QuorvelDoc.h"

#include <algorithm>

#include "config/Settings.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"

namespace {
CNullDocumentHost theNullHost;
CNullDocumentPorts theNullPorts;
}

CQuorvelDoc::CQuorvelDoc(const CLibraryContext& library)
    : m_library(library), m_host(&theNullHost), m_ports(&theNullPorts) { RefreshActiveModel(); }

void CQuorvelDoc::SetPorts(IDocumentPorts* ports) { m_ports = ports ? ports : &theNullPorts; }

CQuorvelDoc::~CQuorvelDoc() { TrimUndoRing(1); }

void CQuorvelDoc::SetHost(IDocumentHost* host) { m_host = host ? host : &theNullHost; }

void CQuorvelDoc::AddObserver(IDocObserver* observer) {
  if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
    m_observers.push_back(observer);
}

void CQuorvelDoc::RemoveObserver(IDocObserver* observer) {
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CQuorvelDoc::UpdateAllViews(uint32_t hint) {
  // A copy: an observer may unregister itself while it is told.
  std::vector<IDocObserver*> observers = m_observers;
  for (IDocObserver* observer : observers) observer->OnUpdate(hint);
}

void CQuorvelDoc::SetPathName(const std::string& path, bool addToRecent) {
  m_pathName = path;
  if (addToRecent && !path.empty()) m_host->AddToRecentFiles(path);
}

void CQuorvelDoc::RefreshActiveModel() { m_activeModel = m_project.GetCurrentFile(); }

const CArrayTextHandler* CQuorvelDoc::GetUndoSnapshot(int i) const {
  return i >= 0 && i < kUndoSlots ? m_undo[static_cast<size_t>(i)].get() : nullptr;
}

void CQuorvelDoc::SetModifiedFlag(int flag) {
  if (flag)
    PushUndoSnapshot();
  else
    MarkSaved();
}

void CQuorvelDoc::PushUndoSnapshot() {
  TrimUndoRing(0);
  m_undo[static_cast<size_t>(m_undoCount)] = m_project.SaveUndo();
  // A snapshot that could not be made is not counted; the next push reuses its slot. The changed
  // state then has no position of its own, so no position can stand for it as saved.
  if (!m_undo[static_cast<size_t>(m_undoCount)]) {
    MarkUnsaved();
    return;
  }
  m_undoProject[static_cast<size_t>(m_undoCount)] = m_projectSerial;
  ++m_undoCurrent;
  ++m_undoCount;
}

void CQuorvelDoc::TrimUndoRing(int reset) {
  if (m_undoCount <= 0) {
    m_undoCurrent = -1;
    // Slots past the count may still hold a snapshot that was not counted.
    if (reset) {
      for (auto& slot : m_undo) slot.reset();
      m_savedPosition = -1;
    }
    return;
  }
  if (reset) {
    for (auto& slot : m_undo) slot.reset();
    m_undoCount = 0;
    m_undoCurrent = -1;
    m_savedPosition = -1;
    return;
  }
  if (m_undoCurrent == kUndoSlots - 1) {
    // Full, and the present state is the newest: the oldest snapshot goes, and the saved
    // position moves down with the others (or goes with the oldest).
    std::rotate(m_undo.begin(), m_undo.begin() + 1, m_undo.end());
    std::rotate(m_undoProject.begin(), m_undoProject.begin() + 1, m_undoProject.end());
    m_undo[kUndoSlots - 1].reset();
    --m_undoCount;
    --m_undoCurrent;
    if (m_savedPosition >= 0) m_savedPosition = m_savedPosition == 0 ? kSavedStateGone : m_savedPosition - 1;
  } else if (m_undoCurrent < m_undoCount - 1) {
    // Undone since the last push: there is no redo, the later states go.
    for (int i = m_undoCurrent + 1; i < m_undoCount; ++i) m_undo[static_cast<size_t>(i)].reset();
    m_undoCount = m_undoCurrent + 1;
    if (m_savedPosition > m_undoCurrent) m_savedPosition = kSavedStateGone;
  }
}

void CQuorvelDoc::ResetToEmptyProject() {
  m_project.RemoveAll(1);
  m_project.AddModel(&m_title, &m_title);
  RefreshActiveModel();
}

int CQuorvelDoc::OnNewDocument() {
  m_title = "Untitled";
  m_pathName.clear();
  ResetToEmptyProject();
  m_prevDrawnStep = -1;
  m_shownStep = -1;
  MarkSaved();
  m_editMode = 1;
  m_editSubMode = 0;
  m_multipartState = 0;
  SendModelChanged();
  m_host->SetEditMode(1);
  TrimUndoRing(1);
  PushUndoSnapshot();
  MarkSaved();
  return 1;
}

void CQuorvelDoc::OnCloseDocument() {
  m_project.RemoveAll(1);
  m_project.AddModel(nullptr, nullptr);
  RefreshActiveModel();
}

void CQuorvelDoc::OnEditUndo() {
  if (!CanUndo()) return;
  CBusyCursor busy;
  const std::string before = m_activeModel ? m_activeModel->GetName() : std::string();
  --m_undoCurrent;
  m_project.LoadUndo(m_undo[static_cast<size_t>(m_undoCurrent)].get());
  RefreshActiveModel();
  if (const int serial = m_undoProject[static_cast<size_t>(m_undoCurrent)]; serial != m_projectSerial) {
    m_projectIdentity[m_projectSerial] = {m_title, m_pathName, m_multipartState};
    m_projectSerial = serial;
    const ProjectIdentity& back = m_projectIdentity[serial];
    m_title = back.title;
    m_pathName = back.pathName;
    m_multipartState = back.multipartState;
  }
  // Undo back into another model shows it as activating it would: from its first step, refitted.
  const bool otherModel = m_activeModel && m_activeModel->GetName() != before;
  if (otherModel) ResetStepsForModel();
  UpdateAllViews(otherModel ? HINT_REFIT : HINT_FULL);
  SendModelChanged();
}

int CQuorvelDoc::GetStepCount(int withExtra) const {
  if (!m_activeModel) return 0;
  int count = m_activeModel->CountSteps();
  if (withExtra && theSettings.APVT != 0 && count > 1) ++count;
  return count;
}

CColorTable* CQuorvelDoc::GetColorTable() const { return m_activeModel ? &m_activeModel->GetColorTable() : nullptr; }

bool CQuorvelDoc::IsModelEmpty() const { return !m_activeModel || m_activeModel->CountElements(3) == 0; }

int32_t CQuorvelDoc::CountSelectedDrawables() const { return m_activeModel ? m_activeModel->CountSelected(3) : 0; }

int CQuorvelDoc::GetElementExtent(int32_t i, CVector3& min, CVector3& max, const CMatrix3& placement) const {
  if (!m_activeModel || i < 0) return 0;
  CQvPart* element = m_activeModel->GetSelected(static_cast<size_t>(i));
  if (!element) return 0;
  element->ExtendBoundingBox(CVector3(), placement, min, max, 0);
  return 1;
}

int32_t CQuorvelDoc::FindElementIndex(PickId pickId) const {
  if (!m_activeModel) return -1;
  CQvPart* element = m_activeModel->GetPickElement(pickId);
  return element ? m_activeModel->IndexOf(element) : -1;
}
