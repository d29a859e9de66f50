#pragma once
// The document's ports to the dialogs and outside programs of the editing, export and LSynth
// commands. The core knows no GUI: the program installs wx implementations at start-up, tests
// install scripted ones (tests/support/ScriptedPorts.h), and without either every port is "not
// available". A port says whether it is offered at all; a command whose port is not offered is
// disabled by its enable rule, so a missing dialog is never a silent Cancel. The element dialogs
// are the model's IElementEditor (model/ElementEditor.h).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/ExportOptions.h"

enum class PortResult { Ok, Cancelled, NotAvailable };

enum class DocPort { Color, Sort, KeyboardEntry, ExportOptions, Progress, Programs };

// Colour...: starts on the given colour number; tableChanged when the dialog changed the colour
// table, which counts even after Cancel.
struct ColorChoice {
  uint32_t color = 0;
  bool tableChanged = false;
};

// Sort...: "Selected only" can be ticked only with a selection. Keys: 0 colour, 1 position,
// 2 part number.
struct SortChoice {
  bool hasSelection = false;
  bool ascending = true;
  bool selectedOnly = false;
  int sortKey = 1;
};

// Keyboard Entry...: a position and a rotation matrix (row order), each used only when ticked;
// absolute when one part reference started the dialog, else relative.
struct KeyboardEntry {
  bool absolute = false;
  bool usePosition = false;
  bool useRotation = false;
  double position[3] = {};
  double matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// The export sheet. In: the project's model names and step counts and the stored options. Out:
// the options, one flag per model and one per step of the selected models (counted one after the
// other) to export.
struct ExportChoice {
  int stepCount = 0;
  std::vector<uint8_t> stepSelection;
  std::vector<std::string> modelNames;
  std::vector<int> modelSteps;
  std::vector<uint8_t> modelSelection;
  ExportOptions options;
};

// A progress window with Cancel. IsCancelled lets the GUI handle its events, so a long task calls
// it often.
class IProgress {
 public:
  virtual ~IProgress() = default;
  virtual void SetMessage(const std::string& text) = 0;
  virtual void Step() = 0;
  virtual bool IsCancelled() = 0;
};

// An outside program: an argument vector (no shell) or, with throughShell, a command line; its
// output goes to the log file when one is named.
struct ProgramRun {
  std::vector<std::string> argv;
  bool throughShell = false;
  std::string commandLine;
  std::string logFile;
};

struct ProgramResult {
  int exitStatus = -1;
  bool cancelled = false;
  bool started = true;
  int startError = 0;  // the system's error number when it could not be started
};

class IDocumentPorts {
 public:
  virtual ~IDocumentPorts() = default;
  virtual bool Offers(DocPort port) const = 0;
  virtual PortResult ChooseColor(ColorChoice& choice) = 0;
  virtual PortResult ChooseSort(SortChoice& choice) = 0;
  virtual PortResult EnterByKeyboard(KeyboardEntry& entry) = 0;
  virtual PortResult ChooseExportOptions(ExportChoice& choice) = 0;
  // null when no progress window can be shown; the task then runs without one.
  virtual std::unique_ptr<IProgress> BeginProgress(const std::string& title, int range) = 0;
  // Runs the program to its end; the progress (may be null) is asked for Cancel while it runs.
  virtual PortResult RunProgram(const ProgramRun& run, IProgress* progress, ProgramResult& result) = 0;
};

// Used when nothing is installed: nothing is offered.
class CNullDocumentPorts : public IDocumentPorts {
 public:
  bool Offers(DocPort) const override { return false; }
  PortResult ChooseColor(ColorChoice&) override { return PortResult::NotAvailable; }
  PortResult ChooseSort(SortChoice&) override { return PortResult::NotAvailable; }
  PortResult EnterByKeyboard(KeyboardEntry&) override { return PortResult::NotAvailable; }
  PortResult ChooseExportOptions(ExportChoice&) override { return PortResult::NotAvailable; }
  std::unique_ptr<IProgress> BeginProgress(const std::string&, int) override { return nullptr; }
  PortResult RunProgram(const ProgramRun&, IProgress*, ProgramResult&) override {
    return PortResult::NotAvailable;
  }
};
