#pragma once
// Test-only access to the document's mode and step state, so that the render road can be driven
// into any state without the step and mode commands.
#include "document/QuorvelDoc.h"

class CDocTestAccess {
 public:
  static void SetEditMode(CQuorvelDoc& doc, int mode) { doc.m_editMode = mode; }
  static void SetSubMode(CQuorvelDoc& doc, int subMode) { doc.m_editSubMode = subMode; }
  static void SetShownStep(CQuorvelDoc& doc, int step) { doc.m_shownStep = step; }
  static void SetPreviousDrawnStep(CQuorvelDoc& doc, int step) { doc.m_prevDrawnStep = step; }
  // View mode at a step, P and S as the step commands leave them.
  static void ShowStep(CQuorvelDoc& doc, int previous, int shown) {
    doc.m_editMode = 0;
    doc.m_prevDrawnStep = previous;
    doc.m_shownStep = shown;
  }
};
