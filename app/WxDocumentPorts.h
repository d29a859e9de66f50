#pragma once
// The document's ports as the program offers them: the progress window, the colour dialog, the
// sort dialog, the keyboard-entry dialog, the export sheet and the outside-program runner. The
// element dialogs are app/WxElementEditor.
#include <functional>
#include <utility>

#include "document/DocumentPorts.h"

class CWxDocumentPorts : public IDocumentPorts {
 public:
  bool Offers(DocPort port) const override {
    return port == DocPort::Progress || port == DocPort::Sort || port == DocPort::KeyboardEntry ||
           port == DocPort::Color || port == DocPort::ExportOptions || port == DocPort::Programs;
  }
  // Called after the colour dialog changed the colour table (the colour bar shows the same table).
  void SetColorTableChanged(std::function<void()> changed) { m_colorTableChanged = std::move(changed); }
  // The colour dialog over the main window.
  PortResult ChooseColor(ColorChoice& choice) override;
  PortResult ChooseSort(SortChoice& choice) override;
  PortResult EnterByKeyboard(KeyboardEntry& entry) override;
  // The export sheet over the main window.
  PortResult ChooseExportOptions(ExportChoice& choice) override;
  // The progress dialog over the main window; null when it cannot be made.
  std::unique_ptr<IProgress> BeginProgress(const std::string& title, int range) override;
  // Runs it to its end while the progress window (if any) stays alive.
  PortResult RunProgram(const ProgramRun& run, IProgress* progress, ProgramResult& result) override;

 private:
  std::function<void()> m_colorTableChanged;
};

