// The enable rules of the commands that need a port, and the way an outside program is run.
#include "document/QuorvelDoc.h"

#include "model/QvFile.h"

bool CQuorvelDoc::CanChooseColor() const {
  return CountSelectedDrawables() > 0 && m_ports->Offers(DocPort::Color);
}

bool CQuorvelDoc::CanSort() const {
  return m_editMode == 1 && m_activeModel && m_activeModel->CountElements(2) > 0 &&
         m_ports->Offers(DocPort::Sort);
}

bool CQuorvelDoc::CanEnterByKeyboard() const {
  return m_editMode == 1 && CountSelectedDrawables() > 0 && m_ports->Offers(DocPort::KeyboardEntry);
}

bool CQuorvelDoc::CanExport() const { return !IsModelEmpty() && m_ports->Offers(DocPort::ExportOptions); }

PortResult CQuorvelDoc::RunOutsideProgram(const ProgramRun& run, const std::string& title,
                                          ProgramResult& result) {
  if (!m_ports->Offers(DocPort::Programs)) return PortResult::NotAvailable;
  // Without a progress window the program still runs; it only cannot be cancelled.
  std::unique_ptr<IProgress> progress =
      m_ports->Offers(DocPort::Progress) ? m_ports->BeginProgress(title, 1) : nullptr;
  return m_ports->RunProgram(run, progress.get(), result);
}
