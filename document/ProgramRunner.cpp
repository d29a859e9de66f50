#include "document/ProgramRunner.h"

#include "platform/Process.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

PortResult RunProgramNow(const ProgramRun& run, IProgress* progress, ProgramResult& result) {
  ProcessOptions options;
  options.logPath = run.logFile;
  bool told = false;
  if (progress) {
    options.pump = [progress, &told, &result]() {
      if (progress->IsCancelled()) {
        result.cancelled = true;
        if (!told) progress->SetMessage(LoadResString(kStringAbortingWait));
        told = true;
      }
      return PumpAnswer::GoOn;
    };
  }
  const ProcessResult ran = run.throughShell ? RunShell(run.commandLine, options) : SpawnAndPoll(run.argv, options);
  result.started = ran.end != ProcessResult::End::NotStarted;
  result.startError = result.started ? 0 : ran.error;
  result.exitStatus = ran.Code();
  return PortResult::Ok;
}
