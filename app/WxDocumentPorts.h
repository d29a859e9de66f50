#pragma once
// The document's ports and element dialogs as the program offers them. Only what is built is
// offered: the progress window, the export sheet and the outside-program runner. The colour, sort
// and keyboard-entry dialogs and the element dialogs are not offered yet, so their commands stay
// disabled; each is filled in here when its dialog arrives.
#include "document/DocumentPorts.h"

class CWxDocumentPorts : public IDocumentPorts {
 public:
  bool Offers(DocPort port) const override {
    return port == DocPort::Progress || port == DocPort::ExportOptions || port == DocPort::Programs;
  }
  PortResult ChooseColor(ColorChoice&) override { return PortResult::NotAvailable; }
  PortResult ChooseSort(SortChoice&) override { return PortResult::NotAvailable; }
  PortResult EnterByKeyboard(KeyboardEntry&) override { return PortResult::NotAvailable; }
  // The export sheet over the main window.
  PortResult ChooseExportOptions(ExportChoice& choice) override;
  // The progress dialog over the main window; null when it cannot be made.
  std::unique_ptr<IProgress> BeginProgress(const std::string& title, int range) override;
  // Runs it to its end while the progress window (if any) stays alive.
  PortResult RunProgram(const ProgramRun& run, IProgress* progress, ProgramResult& result) override;
};

