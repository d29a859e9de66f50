#include "document/ExportSession.h"

#include <cerrno>
#include <cstdio>

#include "config/Geometry.h"
#include "document/PostProcessor.h"
#include "model/MpdFile.h"
#include "model/QvBufExchg.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

const unsigned kExecMessages[3] = {kStringExecPostProc1, kStringExecPostProc2, kStringExecPostProc3};

const char* ErrnoReason(int error) {
  switch (error) {
    case ENOENT: return "==> result ENOENT!\n";
    case E2BIG: return "==> result E2BIG!\n";
    case ENOEXEC: return "==> result ENOEXEC!\n";
    case ENOMEM: return "==> result ENOMEM!\n";
    default: return nullptr;
  }
}

}  // namespace

CExportSession::CExportSession(CMpdFile& project, const std::string& title, const ExportChoice& choice,
                               IDocumentPorts& ports)
    : m_project(project), m_choice(choice), m_ports(ports), m_base(BaseName(title)) {}

std::string CExportSession::BaseName(const std::string& title) { return title.substr(0, title.find('.')); }

std::string CExportSession::StepFileName(const std::string& folder, const std::string& base, unsigned long number) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "_%05lu", number);
  return folder + base + digits + ".ldr";
}

bool CExportSession::Cancelled() {
  if (!m_cancelled && m_progress && m_progress->IsCancelled()) m_cancelled = true;
  return m_cancelled;
}

ExportResult CExportSession::Run() {
  if (m_choice.options.enableLog && m_log.Create(m_choice.options.logName)) m_log.Printf("Start of export session.\n");

  // Only the selected models' steps can be exported, whatever the flags beyond them say.
  std::vector<int> steps;
  for (size_t i = 0; i < m_project.GetModelCount(); ++i) {
    const CQvFile* model = m_project.GetModel(i);
    steps.push_back(model ? model->CountSteps() : 0);
  }
  const unsigned long total = CountSelectedSteps(steps, m_choice.modelSelection);
  int wanted = 0;
  for (unsigned long k = 0; k < total && k < m_choice.stepSelection.size(); ++k)
    if (m_choice.stepSelection[k]) ++wanted;
  if (m_ports.Offers(DocPort::Progress)) m_progress = m_ports.BeginProgress("", wanted);
  if (m_progress) m_progress->SetMessage(LoadResString(kStringExportingMessage));

  bool aborted = false;
  unsigned long offset = 0;
  for (size_t i = 0; i < m_project.GetModelCount() && !Cancelled(); ++i) {
    if (ExportModel(i, offset) == Loop::Abort) {
      aborted = true;
      break;
    }
  }
  const bool cancelled = Cancelled();
  m_log.Printf(aborted || cancelled ? "Export session aborted!\n" : "Export session completed!\n");
  m_log.Close();
  m_progress.reset();
  return aborted ? ExportResult::Failed : cancelled ? ExportResult::Cancelled : ExportResult::Completed;
}

CExportSession::Loop CExportSession::ExportModel(size_t index, unsigned long& offset) {
  const unsigned long number = static_cast<unsigned long>(index) + 1;
  CQvFile* model = m_project.GetModel(index);
  if (!model) {
    m_log.Printf("Internal error ==> aborting export session\n");
    return Loop::Abort;
  }
  if (index >= m_choice.modelSelection.size() || !m_choice.modelSelection[index]) {
    m_log.Printf("Skipping unselected sub-model %lu '%s'.\n", number, model->GetName().c_str());
    return Loop::Next;
  }
  const int32_t count = model->CountSteps();
  auto selected = [this](unsigned long r) {
    return r >= 1 && r <= m_choice.stepSelection.size() && m_choice.stepSelection[r - 1];
  };
  bool any = false;
  for (int32_t g = 1; g <= count; ++g) any = any || selected(offset + static_cast<unsigned long>(g));
  if (!any) {
    m_log.Printf("No steps for sub-model %lu '%s' selected ==> skipping.\n", number, model->GetName().c_str());
    offset += static_cast<unsigned long>(count > 0 ? count : 0);
    return Loop::Next;
  }
  m_log.Printf("Processing on sub-model %lu '%s' ...\n", number, model->GetName().c_str());
  for (int32_t g = 1; g <= count && !Cancelled(); ++g) {
    const unsigned long r = offset + static_cast<unsigned long>(g);
    if (selected(r) && ExportStep(*model, r, g) == Loop::Abort) return Loop::Abort;
  }
  m_log.Printf("Exporting data for sub-model %lu completed.\n", number);
  offset += static_cast<unsigned long>(count);
  return Loop::Next;
}

CExportSession::Loop CExportSession::ExportStep(CQvFile& model, unsigned long number, int32_t step) {
  const ExportOptions& options = m_choice.options;
  if (m_progress) m_progress->SetMessage(LoadResString(kStringExportingMessage));
  m_log.Printf("  Exporting data of step %lu (sub-model step %lu) ...\n", number, static_cast<unsigned long>(step));
  const std::string path = StepFileName(options.exportPath, m_base, number);
  CFileTextHandler sink;
  if (!sink.Open(path, "w")) {
    m_log.Printf("  Failed to create the file '%s' ==> abort export session!\n", path.c_str());
    ShowMessageId(kStringCreateFailed, PromptButtons::Ok, PromptIcon::Exclamation);
    CQvBufExchg::DeleteTempFiles();
    return Loop::Abort;
  }
  CMatrix3 matrix = CMatrix3::Identity();
  if (!options.ignoreRotSteps) model.GetRotStepMatrix(matrix, step);
  ExportContext ctx;
  ctx.output = &sink;
  ctx.format = options.format == 0 ? ExportFormat::Primitives : ExportFormat::Normal;
  ctx.exportPath = path;
  CQvBufExchg::DeleteTempFiles();
  const int exported = model.ExportSteps(ctx, CVector3(), matrix, -1, step, 0);
  CQvBufExchg::DeleteTempFiles();
  const int closed = sink.Close();
  // A step file that is not whole must not reach the post processors as if it were.
  if (!exported || !closed) {
    m_log.Printf("  Failed to write the file '%s' ==> abort export session!\n", path.c_str());
    ShowMessageId(kStringIoError, PromptButtons::Ok, PromptIcon::Exclamation);
    return Loop::Abort;
  }
  m_log.Printf("  Exporting data of step %lu completed.\n", number);

  int last = 0;
  for (size_t k = 0; k < options.postProcessors.size(); ++k) {
    const PostProcessorOptions& pp = options.postProcessors[k];
    if (!pp.enabled || (k > 0 && last != 1)) break;
    if (m_progress) m_progress->SetMessage(LoadResString(kExecMessages[k]));
    m_log.Printf("Executing post processor %lu ...\n", static_cast<unsigned long>(k + 1));
    last = RunPostProcessor(pp, path);
  }
  if (m_progress) m_progress->Step();
  return Loop::Next;
}

int CExportSession::RunPostProcessor(const PostProcessorOptions& pp, const std::string& file) {
  ProgramRun run;
  run.throughShell = pp.isCommand != 0;
  if (run.throughShell) {
    run.commandLine = ExpandPostProcessorCommand(pp.path, pp.parameters, file);
    if (m_log.IsOpen()) {
      run.commandLine += " >>" + ShellQuote(m_log.GetPath());
      m_log.Printf("CmdLine: %s\nOutput:\n", run.commandLine.c_str());
    }
  } else {
    run.argv = ExpandPostProcessorArguments(pp.path, pp.parameters, file);
    if (m_log.IsOpen()) {
      m_log.Printf("Start process: %s\n", JoinArguments(run.argv).c_str());
      run.logFile = m_log.GetPath();
    }
  }
  m_log.Suspend();
  ProgramResult result;
  if (m_ports.RunProgram(run, m_progress.get(), result) == PortResult::NotAvailable) {
    result.started = false;
    result.startError = ENOSYS;
    result.exitStatus = -1;
  }
  m_log.Resume();
  if (!run.throughShell && !result.started) {
    m_log.Printf("ERROR: CreateProcess failed ==> LastError = 0x%08X!\n", static_cast<unsigned>(result.startError));
    return 0;
  }
  m_log.Printf("Processor returned: %ld\n", static_cast<long>(result.exitStatus));
  if (run.throughShell) {
    // The shell could not be started, or it could not find or run the command: a failure,
    // whether or not anybody reads the log.
    int reason = 0;
    if (!result.started)
      reason = result.startError;
    else if (result.exitStatus == 127)
      reason = ENOENT;
    else if (result.exitStatus == 126)
      reason = ENOEXEC;
    if (reason || !result.started) {
      if (const char* line = ErrnoReason(reason)) m_log.Printf("%s", line);
      return 0;
    }
  }
  return 1;
}
