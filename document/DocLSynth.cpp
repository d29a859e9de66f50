// The LSynth menu: Add Command, Run LSynth and the hide/show commands of the definition and
// synthesized parts.
//
// Run LSynth saves the project into a private temporary file for LSynth and reads LSynth's output
// back as the project. Saving that copy is no save of the document: the modified flag stays as it
// was. The output replaces the project only when it reads; otherwise the project in memory is put
// back as it was, so no file is ever the only copy.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "config/Tracer.h"
#include "document/LSynthController.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Folders.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

// A new, empty file of a name nobody else can predict, removed again with this object.
class CPrivateTempFile {
 public:
  explicit CPrivateTempFile(const std::string& folder) : m_path(folder + "tolvolscXXXXXX") {
    m_fd = ::mkstemp(m_path.data());
    if (m_fd < 0) m_path.clear();
  }
  ~CPrivateTempFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_path.empty()) std::remove(m_path.c_str());
  }
  CPrivateTempFile(const CPrivateTempFile&) = delete;
  CPrivateTempFile& operator=(const CPrivateTempFile&) = delete;
  bool Ok() const { return m_fd >= 0; }
  const std::string& Path() const { return m_path; }
  // The file as a stream for writing; the stream owns the descriptor from now on.
  std::FILE* TakeStream() {
    std::FILE* stream = ::fdopen(m_fd, "w");
    if (stream) m_fd = -1;
    return stream;
  }

 private:
  std::string m_path;
  int m_fd = -1;
};

void Fail(const char* logLine, unsigned message) {
  theTracer.Printf("%s", logLine);
  ShowMessageId(message, PromptButtons::Ok, PromptIcon::Stop);
}

}  // namespace

bool CQuorvelDoc::CanAddLSynthCommand() const {
  return m_editMode == 1 && m_activeModel && CLSynthController().IsAvailable();
}

bool CQuorvelDoc::CanRunLSynth() const {
  return m_activeModel && m_activeModel->CheckLSynthBlocks() && CLSynthController().IsAvailable();
}

bool CQuorvelDoc::CanHideLSynthParts() const { return m_activeModel && m_activeModel->CheckLSynthBlocks(); }

int CQuorvelDoc::OnAddLSynthCommand() {
  if (!m_activeModel || !CLSynthController().AddSynthBlock(*m_activeModel)) return 0;
  UpdateAllViews(HINT_LIST_ONLY);
  SetModifiedFlag(1);
  return 1;
}

int CQuorvelDoc::OnHideLSynthParts(int mode) {
  if (!m_activeModel || !m_activeModel->HideLSynthParts(mode)) return 0;
  UpdateAllViews(0);
  SetModifiedFlag(1);
  return 1;
}

int CQuorvelDoc::OnRunLSynth() {
  if (!SaveModified()) return 0;
  const std::string folder = GetTempDirectory();
  if (folder.empty()) {
    Fail("ERROR: Can't get temp path!\n", kStringLSynthTempFailed);
    return 0;
  }
  CPrivateTempFile input(folder), output(folder);
  if (!input.Ok() || !output.Ok()) {
    Fail("ERROR: Can't create temporary file name!\n", kStringLSynthTempFailed);
    return 0;
  }
  std::FILE* stream = input.TakeStream();
  if (!stream) {
    Fail("ERROR: Can't create temporary file!\n", kStringLSynthTempFailed);
    return 0;
  }
  int saved = 0;
  {
    CFileTextHandler sink(stream);
    saved = m_project.Transfer(sink, 0, "LSynth-Temp");
  }
  if (std::fclose(stream) != 0) saved = 0;
  if (!saved) {
    ShowMessageId(kStringIoError, PromptButtons::Ok, PromptIcon::Exclamation);
    Fail("ERROR: Failed to save project to temporary file!!\n", kStringLSynthTempFailed);
    return 0;
  }

  if (!CLSynthController().Run(input.Path(), output.Path()))
    theTracer.Printf("WARNING: Successfull execution of LSynth not ensured!\n");

  std::FILE* result = std::fopen(output.Path().c_str(), "r");
  if (!result) {
    Fail("ERROR: Can't open lsynth file!\n", kStringLSynthFailed);
    return 0;
  }
  char first[101];
  if (!std::fgets(first, sizeof first, result)) {
    std::fclose(result);
    Fail("ERROR: Execution of LSynth failed!\n", kStringLSynthFailed);
    return 0;
  }
  std::rewind(result);
  // Sub-files beside the document's file are still found while the output is read.
  const std::string modelFolder = m_project.GetModelFolder();
  const int loaded = LoadProject(result, 1, m_pathName.empty() ? output.Path() : m_pathName, m_title);
  std::fclose(result);
  m_project.SetModelFolder(modelFolder);
  if (!loaded) {
    // The read put the project back from memory as it was before the run.
    Fail("ERROR: Load of generated file failed - recovering now!\n", kStringLSynthFailed);
    theTracer.Printf("INFO: Recovery succeeded!\n");
    return 0;
  }
  if (m_activeModel) m_activeModel->HideLSynthParts(1);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
  SetModifiedFlag(1);
  return 1;
}
