#pragma once
// The export session: for every selected step of every selected model one LDraw file holding the
// model as it stands after that step, optionally turned by the rotation steps, then up to three
// post processors on it; with a log of its own and a progress window with Cancel.
//
// Files are named ExportPath + base name + "_" + the running step number ("%05lu") + ".ldr"; the
// running number counts the steps of the selected models one after the other from 1. Each post
// processor runs only after the one before it succeeded on that step. Any failure to write a step
// file ends the session, and its log then says "Export session aborted!", as does Cancel.
#include <cstdint>
#include <memory>
#include <string>

#include "document/DocumentPorts.h"
#include "document/ExportLog.h"

class CMpdFile;

enum class ExportResult { Completed, Cancelled, Failed };

class CExportSession {
 public:
  CExportSession(CMpdFile& project, const std::string& title, const ExportChoice& choice, IDocumentPorts& ports);
  ExportResult Run();

  // The document's title up to its first '.'.
  static std::string BaseName(const std::string& title);
  static std::string StepFileName(const std::string& folder, const std::string& base, unsigned long number);

 private:
  enum class Loop { Next, Abort };
  Loop ExportModel(size_t index, unsigned long& offset);
  Loop ExportStep(class CQvFile& model, unsigned long number, int32_t step);
  // 1 success, 0 failure (the next post processors of the step do not run).
  int RunPostProcessor(const PostProcessorOptions& pp, const std::string& file);
  bool Cancelled();

  CMpdFile& m_project;
  const ExportChoice& m_choice;
  IDocumentPorts& m_ports;
  std::string m_base;
  CExportLog m_log;
  std::unique_ptr<IProgress> m_progress;
  bool m_cancelled = false;
};
