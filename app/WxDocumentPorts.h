#pragma once
// The document's ports as the program offers them. Only what is built is offered: the progress
// window, the colour dialog, the sort dialog and the keyboard-entry dialog. The export dialog and
// the outside-program runner are offered once they arrive; until then their commands stay
// disabled. The element dialogs are app/WxElementEditor.
#include "document/DocumentPorts.h"

class CWxDocumentPorts : public IDocumentPorts {
 public:
  bool Offers(DocPort port) const override {
    return port == DocPort::Progress || port == DocPort::Sort || port == DocPort::KeyboardEntry ||
           port == DocPort::Color;
  }
  // The colour dialog over the main window.
  PortResult ChooseColor(ColorChoice& choice) override;
  PortResult ChooseSort(SortChoice& choice) override;
  PortResult EnterByKeyboard(KeyboardEntry& entry) override;
  PortResult ChooseExportOptions(ExportChoice&) override { return PortResult::NotAvailable; }
  // The progress dialog over the main window; null when it cannot be made.
  std::unique_ptr<IProgress> BeginProgress(const std::string& title, int range) override;
  PortResult RunProgram(const ProgramRun&, IProgress*, ProgramResult&) override {
    return PortResult::NotAvailable;
  }
};

