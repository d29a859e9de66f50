#pragma once
// The document's ports for tests: each port is offered or not as the test says, answers from its
// own queue (an empty queue cancels) and records what it was asked.
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "document/DocumentPorts.h"

class CScriptedProgress : public IProgress {
 public:
  // stepCounter (may be null) counts the steps as well, so they can be read after the window went.
  explicit CScriptedProgress(int cancelAfter, int* stepCounter = nullptr)
      : m_cancelAfter(cancelAfter), m_stepCounter(stepCounter) {}
  void SetMessage(const std::string& text) override { messages.push_back(text); }
  void Step() override {
    ++steps;
    if (m_stepCounter) ++*m_stepCounter;
  }
  // Cancel is pressed at the given question (counted from 1); 0 never.
  bool IsCancelled() override { return m_cancelAfter > 0 && ++asked >= m_cancelAfter; }

  std::vector<std::string> messages;
  int steps = 0;
  int asked = 0;

 private:
  int m_cancelAfter;
  int* m_stepCounter;
};

class CScriptedPorts : public IDocumentPorts {
 public:
  bool Offers(DocPort port) const override { return offered.count(port) > 0; }
  PortResult ChooseColor(ColorChoice& choice) override { return Answer(DocPort::Color, colors, choice); }
  PortResult ChooseSort(SortChoice& choice) override { return Answer(DocPort::Sort, sorts, choice); }
  PortResult EnterByKeyboard(KeyboardEntry& entry) override {
    return Answer(DocPort::KeyboardEntry, entries, entry);
  }
  PortResult ChooseExportOptions(ExportChoice& choice) override {
    return Answer(DocPort::ExportOptions, exports, choice);
  }
  std::unique_ptr<IProgress> BeginProgress(const std::string& title, int range) override {
    asked.push_back(DocPort::Progress);
    progressTitles.push_back(title);
    progressRanges.push_back(range);
    if (!Offers(DocPort::Progress)) return nullptr;
    return std::make_unique<CScriptedProgress>(cancelAfter, &progressSteps);
  }
  // The program "runs" until its progress is cancelled or it has asked runSteps times.
  PortResult RunProgram(const ProgramRun& run, IProgress* progress, ProgramResult& result) override {
    asked.push_back(DocPort::Programs);
    runs.push_back(run);
    if (!Offers(DocPort::Programs)) return PortResult::NotAvailable;
    for (int i = 0; i < runSteps; ++i)
      if (progress && progress->IsCancelled()) {
        result.cancelled = true;
        return PortResult::Cancelled;
      }
    result.exitStatus = exitStatus;
    return PortResult::Ok;
  }

  std::set<DocPort> offered;
  std::vector<DocPort> asked;
  std::deque<ColorChoice> colors;
  std::deque<SortChoice> sorts;
  std::deque<KeyboardEntry> entries;
  std::deque<ExportChoice> exports;
  std::vector<std::string> progressTitles;
  std::vector<int> progressRanges;
  int progressSteps = 0;  // over every progress window made
  std::vector<ProgramRun> runs;
  int cancelAfter = 0;
  int runSteps = 3;
  int exitStatus = 0;

 private:
  template <typename T>
  PortResult Answer(DocPort port, std::deque<T>& queue, T& out) {
    asked.push_back(port);
    if (!Offers(port)) return PortResult::NotAvailable;
    if (queue.empty()) return PortResult::Cancelled;
    out = queue.front();
    queue.pop_front();
    return PortResult::Ok;
  }
};
