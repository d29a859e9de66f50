// Building steps: print mode for printing and pictures, the step operations they use, the
// navigation commands (steps in view mode, neighbouring elements in edit mode), automatic steps
// and the enable rules of the step commands.
//
// N is the step count with the extra last step (GetStepCount(1)). A shown step below 1 can reach
// these operations from print mode (which may show the whole model as -1) or from a model without
// steps; every operation treats it as "start again at step 1, nothing drawn yet".
#include <algorithm>

#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

constexpr uint32_t kStepHint = HINT_PANES_ONLY | HINT_KEEP_IMAGE;  // 0x10040000

// FindNeighbour's directions.
enum : int { kFirst = 0, kPrevious = 1, kNext = 2, kLast = 3 };

// The distance of the fast commands; a setting below 1 would turn "forward" backwards.
int FastStepDistance() { return std::max(theSettings.FastStep, 1); }

}  // namespace

// --- print mode and the step operations of printing and pictures ---

void CQuorvelDoc::SetPrintMode(int enter) {
  if (enter) {
    // Print preview makes two printouts in one job: only the outermost enter saves the state to go
    // back to, and only the matching leave restores it.
    if (m_printDepth++ > 0) return;
    m_editSubMode = 0;
    m_printSaved = {m_editMode, m_shownStep, m_prevDrawnStep};
    m_stepUpdatesBlocked = 1;
    m_editMode = 0;
    m_prevDrawnStep = 0;
    m_shownStep = theSettings.PrintSteps ? 1 : -1;
    return;
  }
  if (m_printDepth == 0) return;  // nothing saved to restore
  if (--m_printDepth > 0) return;
  m_editSubMode = 0;
  m_editMode = m_printSaved.editMode;
  m_shownStep = m_printSaved.shownStep;
  m_prevDrawnStep = m_printSaved.prevDrawnStep;
  m_stepUpdatesBlocked = 0;
}

void CQuorvelDoc::ActivateModel(int index) {
  // The project counts from 1 and takes 0 as "ask the user": a negative index asks nothing.
  if (index < 0) return;
  m_shownStep = 1;
  m_prevDrawnStep = 0;
  m_project.ActivateModel(index + 1);
  RefreshActiveModel();
}

void CQuorvelDoc::SetStep(int n) {
  m_prevDrawnStep = 0;
  if (m_editMode == 1) return;  // edit mode always shows the whole model
  const int last = std::max(GetStepCount(1), 1);
  if (n == -1) n = last;
  m_shownStep = std::clamp(n, 1, last);
}

int CQuorvelDoc::NextStep() {
  if (m_editMode == 1) {
    m_prevDrawnStep = 0;
    m_shownStep = -1;
    return 0;
  }
  if (m_shownStep < 1) {
    m_prevDrawnStep = 0;
    m_shownStep = 1;
  } else {
    m_prevDrawnStep = m_shownStep;
    ++m_shownStep;
    if (m_shownStep > GetStepCount(1)) {
      // Past the end the series starts again: the image is redrawn from the first step.
      m_shownStep = 1;
      m_prevDrawnStep = 0;
    }
  }
  if (!m_stepUpdatesBlocked) UpdateAllViews(kStepHint);
  return 1;
}

// --- navigation ---

namespace {

// The element an edit-mode navigation command selects; -1 when there is none. First and Last
// ignore the selection (a place outside the list would turn Last into First). For Next and
// Previous nothing selected counts as a place outside the list, so Next finds the last element
// and Previous the first.
int32_t EditNeighbour(const CQvFile& model, int direction) {
  if (direction == kFirst || direction == kLast) return model.FindNeighbour(direction, -1);
  int32_t from = model.GetSelectedIndex(-1);
  if (from == -1) from = static_cast<int32_t>(model.GetCount());
  return model.FindNeighbour(direction, from);
}

}  // namespace

// Edit mode: the neighbour becomes the only selection. No keys are passed: Ctrl+Page Up must not
// turn First into "add the first element".
static void SelectNeighbour(CQuorvelDoc& doc, int direction) {
  CQvFile* model = doc.GetActiveModel();
  if (!model) return;
  const int32_t index = EditNeighbour(*model, direction);
  if (index < 0) return;
  doc.SelectElement(index, 0, SelectKeys{});
  doc.UpdateAllViews(HINT_SELECTION);
}

void CQuorvelDoc::OnFirst() {
  if (!CanGoBack()) return;
  if (m_editMode == 1) {
    SelectNeighbour(*this, kFirst);
    return;
  }
  m_shownStep = 1;
  m_prevDrawnStep = 0;
  UpdateAllViews(kStepHint);
}

void CQuorvelDoc::OnPrevious() {
  if (!CanGoBack()) return;
  if (m_editMode == 1) {
    SelectNeighbour(*this, kPrevious);
    return;
  }
  m_shownStep = std::max(m_shownStep - 1, 1);
  m_prevDrawnStep = 0;
  UpdateAllViews(kStepHint);
}

void CQuorvelDoc::OnNext() {
  if (!CanGoForward()) return;
  if (m_editMode == 1) {
    SelectNeighbour(*this, kNext);
    return;
  }
  if (m_shownStep < 1) {
    m_shownStep = 1;
    m_prevDrawnStep = 0;
  } else {
    m_prevDrawnStep = m_shownStep;
    ++m_shownStep;
  }
  UpdateAllViews(kStepHint);
}

void CQuorvelDoc::OnLast() {
  if (!CanGoForward()) return;
  if (m_editMode == 1) {
    SelectNeighbour(*this, kLast);
    return;
  }
  m_prevDrawnStep = std::max(m_shownStep, 0);
  m_shownStep = GetStepCount(1);
  UpdateAllViews(HINT_PANES_ONLY);  // a full render that refits
}

void CQuorvelDoc::OnFastBackward() {
  if (!CanFastBackward()) return;
  m_prevDrawnStep = 0;
  m_shownStep = std::max(m_shownStep - FastStepDistance(), 1);
  UpdateAllViews(kStepHint);
}

void CQuorvelDoc::OnFastForward() {
  if (!CanFastForward()) return;
  if (m_shownStep < 1) {
    m_prevDrawnStep = 0;
    m_shownStep = 1;
  } else {
    m_prevDrawnStep = m_shownStep;
  }
  m_shownStep = std::min(m_shownStep + FastStepDistance(), GetStepCount(1));
  UpdateAllViews(kStepHint);
}

// --- automatic steps ---

void CQuorvelDoc::OnAutosteps() {
  if (m_editMode != 1 || !m_activeModel) return;
  int byHeight = 0;  // the dialog starts on "a fixed number of parts", one part
  int count = 1;
  if (!m_host->AutostepsDialog(byHeight, count)) return;
  // Zero parts per step would be read as a failure of the model, negative counts as a step
  // before every part: the dialog never hands either back.
  if (!byHeight && count < 1) return;
  int added = 0;
  if (!m_activeModel->AutoSteps(byHeight, count, added)) {
    ShowMessageId(kStringOutOfMemory, PromptButtons::Ok, PromptIcon::Stop);
    return;
  }
  if (added <= 0) return;
  UpdateAllViews(theSettings.DrawToSelection ? HINT_FULL : HINT_LIST_ONLY);
  SetModifiedFlag(1);
}

// --- enable rules ---

bool CQuorvelDoc::CanGoForward() const {
  if (m_editMode == 0) {
    const int n = GetStepCount(1);
    return n > 0 && m_shownStep < n && !m_stepUpdatesBlocked;
  }
  if (!m_activeModel) return false;
  if (m_activeModel->GetCount() > 0 && m_activeModel->GetSelectedIndex(-1) == -1) return true;
  return EditNeighbour(*m_activeModel, kNext) != -1;
}

bool CQuorvelDoc::CanGoBack() const {
  if (m_editMode == 0) return GetStepCount(1) > 0 && m_shownStep > 1 && !m_stepUpdatesBlocked;
  if (!m_activeModel) return false;
  if (m_activeModel->GetCount() > 0 && m_activeModel->GetSelectedIndex(-1) == -1) return true;
  return EditNeighbour(*m_activeModel, kPrevious) != -1;
}

bool CQuorvelDoc::CanFastForward() const {
  if (m_editMode != 0) return false;
  const int n = GetStepCount(1);
  return n > 0 && m_shownStep < n && !m_stepUpdatesBlocked;
}

bool CQuorvelDoc::CanFastBackward() const {
  return m_editMode == 0 && GetStepCount(1) > 0 && m_shownStep > 1 && !m_stepUpdatesBlocked;
}
