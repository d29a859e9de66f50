#pragma once
// The document's ports and element dialogs as the program offers them. Only what is built is
// offered: the progress window and the colour dialog. The sort, keyboard-entry and export
// dialogs, the element dialogs and the outside-program runner are not offered yet, so their
// commands stay disabled; each is filled in here when its dialog arrives.
#include "document/DocumentPorts.h"

class CWxDocumentPorts : public IDocumentPorts {
 public:
  bool Offers(DocPort port) const override { return port == DocPort::Progress || port == DocPort::Color; }
  // The colour dialog over the main window.
  PortResult ChooseColor(ColorChoice& choice) override;
  PortResult ChooseSort(SortChoice&) override { return PortResult::NotAvailable; }
  PortResult EnterByKeyboard(KeyboardEntry&) override { return PortResult::NotAvailable; }
  PortResult ChooseExportOptions(ExportChoice&) override { return PortResult::NotAvailable; }
  // The progress dialog over the main window; null when it cannot be made.
  std::unique_ptr<IProgress> BeginProgress(const std::string& title, int range) override;
  PortResult RunProgram(const ProgramRun&, IProgress*, ProgramResult&) override {
    return PortResult::NotAvailable;
  }
};

