// Export...: the export sheet, then the session over the project's models (ExportSession.h).
#include "document/ExportSession.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/Profile.h"

ExportChoice CQuorvelDoc::MakeExportChoice() const {
  ExportChoice choice;
  for (size_t i = 0; i < m_project.GetModelCount(); ++i) {
    const CQvFile* model = m_project.GetModel(i);
    choice.modelNames.push_back(model ? model->GetName() : std::string());
    choice.modelSteps.push_back(model ? model->CountSteps() : 0);
  }
  choice.modelSelection.assign(choice.modelNames.size(), 1);
  choice.options = LoadExportOptions(TheProfile());
  return choice;
}

int CQuorvelDoc::OnFileExport() {
  ExportChoice choice = MakeExportChoice();
  if (m_ports->ChooseExportOptions(choice) != PortResult::Ok) return 0;
  SaveExportOptions(TheProfile(), choice.options);
  CExportSession session(m_project, m_title, choice, *m_ports);
  return session.Run() == ExportResult::Completed ? 1 : 0;
}
