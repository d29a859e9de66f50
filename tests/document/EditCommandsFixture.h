#pragma once
// The project, the scripted dialogs and clipboard, and the grid of the editing-command tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <set>

#include "DocModel.h"
#include "document/ClipboardPort.h"
#include "model/ElementEditor.h"
#include "model/QvElement.h"
#include "tests/support/ScriptedPorts.h"
#include "tests/support/SettingsSnapshot.h"

namespace edit_test {

// main places sub twice: once plain in red, once turned a quarter about y, in blue, off the grid.
// Then a line, a comment, a hidden line and a group of two lines.
inline const char kProject[] =
    "0 FILE main.ldr\n"
    "0 main\n"
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"
    "1 1 23 -21 4 0 0 1 0 1 0 -1 0 0 sub.ldr\n"
    "2 24 0 0 0 10 0 0\n"
    "0 a note\n"
    "0 TOLVO HIDE 2 24 0 0 0 0 0 10\n"
    "0 TOLVO BTG pair\n"
    "2 24 0 0 0 0 0 20\n"
    "0 TOLVO BTG pair\n"
    "2 24 0 0 0 0 0 30\n"
    "0 GROUP 2 pair\n"
    "0 FILE sub.ldr\n"
    "0 sub\n"
    "2 24 0 0 0 0 10 0\n";

// The element lines of main, one string per element (indices as in the list).
inline const char* const kMain[] = {
    "0 main\n",
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n",
    "1 1 23 -21 4 0 0 1 0 1 0 -1 0 0 sub.ldr\n",
    "2 24 0 0 0 10 0 0\n",
    "0 a note\n",
    "0 TOLVO HIDE 2 24 0 0 0 0 0 10\n",
    "0 TOLVO BTG pair\n2 24 0 0 0 0 0 20\n",
    "0 TOLVO BTG pair\n2 24 0 0 0 0 0 30\n",
    "0 GROUP 2 pair\n",
};
constexpr size_t kMainCount = sizeof(kMain) / sizeof(kMain[0]);

inline const char kPasteRecursion[] = "You cannot paste this selection\nas it would cause a recursion!";

// The element lines of main with some replaced ({index, text}; a null text drops the element) and
// some inserted after an element ({index, text, true}).
struct Edit {
  size_t index;
  const char* text;  // nullptr: drop
  bool insertAfter = false;
};
inline std::string MainWith(std::initializer_list<Edit> edits) {
  std::string text;
  for (size_t i = 0; i < kMainCount; ++i) {
    bool replaced = false;
    std::string after;
    for (const Edit& e : edits) {
      if (e.index != i) continue;
      if (e.insertAfter) {
        after += e.text;
      } else {
        replaced = true;
        if (e.text) text += e.text;
      }
    }
    if (!replaced) text += kMain[i];
    text += after;
  }
  return text;
}

inline std::string ModelText(const CQvFile& model) {
  CArrayTextHandler out;
  for (size_t i = 0; i < model.GetCount(); ++i) model.GetAt(i)->Write(out);
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

inline std::string ProjectText(CQuorvelDoc& doc) {
  CArrayTextHandler out;
  doc.GetProject().WriteTo(out, "test.mpd");
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

// The group-name and rotation-point dialogs, answered from queues (empty: Cancel).
class CEditEditor : public IElementEditor {
 public:
  CEditEditor() { SetElementEditor(this); }
  ~CEditEditor() override { SetElementEditor(nullptr); }
  bool EditComment(CommentEdit& data) override { return Next(comments, data.text); }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit& data) override { return Next(groupNames, data.name); }
  bool OffersRotationPoint() const override { return offersRotationPoint; }
  bool EditRotationPoint(RotationPointEdit& data) override {
    if (rotationModes.empty()) return false;
    data.mode = rotationModes.front();
    rotationModes.pop_front();
    return true;
  }
  std::deque<std::string> comments, groupNames;
  std::deque<int32_t> rotationModes;
  bool offersRotationPoint = true;

 private:
  static bool Next(std::deque<std::string>& queue, std::string& out) {
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return true;
  }
};

class CStringClipboard : public IClipboardPort {
 public:
  CStringClipboard() { SetClipboardPort(this); }
  ~CStringClipboard() override { SetClipboardPort(nullptr); }
  bool PutText(const std::string& t) override {
    text = t;
    return true;
  }
  bool GetText(std::string& t) override {
    t = text;
    return !text.empty();
  }
  bool HasText() override { return !text.empty(); }
  std::string text;
};

// The grid and angles the rows are computed with; all the settings come back at the end.
class CGridSettings {
 public:
  CGridSettings() {
    theSettings.DefStep = CVector3(20, 8, 20);
    theSettings.MidStep = CVector3(10, 4, 10);
    theSettings.OffStep = CVector3(1, 1, 1);
    theSettings.DefRotAngle = 90;
    theSettings.MidRotAngle = 30;
    theSettings.OffRotAngle = 22.5;
    theSettings.GridType = 0;
  }

 private:
  SettingsSnapshot m_snapshot;
};

class EditCommandsTest : public DocumentTest {
 protected:
  EditCommandsTest() { doc.SetPorts(&ports); }
  ~EditCommandsTest() override { doc.SetPorts(nullptr); }
  void Load(std::initializer_list<int32_t> selection) {
    LoadDocument(doc, kProject, 0);
    ASSERT_EQ(Model().GetCount(), kMainCount);
    for (int32_t i : selection) Model().Select(i);
    ClearRecords();
  }
  CGridSettings grid;
  CEditEditor editor;
  CStringClipboard clipboard;
  CScriptedPorts ports;
};

inline constexpr uint32_t kMoved = HINT_LIST_STATES | HINT_KEEP_IMAGE;  // 0x20040000

}  // namespace edit_test
