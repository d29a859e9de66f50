#pragma once
// The values of the export sheet, kept in the profile section "Export", and the rules the sheet
// applies to them: the step-range text, the chain of post processors, the path checks and the
// confirmation. The sheet itself is a dialog; everything it decides is here, without a GUI.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CProfile;

struct PostProcessorOptions {
  int enabled = 0;
  int isCommand = 0;  // 1: run through the command shell, else started directly
  std::string path;
  std::string parameters;
};

struct ExportOptions {
  int format = 1;  // 0 LDraw primitives, 1 LDraw normal
  int ignoreRotSteps = 0;
  std::string exportPath;  // a folder ending in '/'
  int rangeSelection = 0;  // 0 all steps, 1 the range text
  std::string stepRange;
  int enableLog = 1;
  std::string logName;
  std::array<PostProcessorOptions, 3> postProcessors;
};

inline constexpr const char* kExportSection = "Export";

// The defaults: the system's temporary folder for the files and the log.
ExportOptions DefaultExportOptions();
ExportOptions LoadExportOptions(CProfile& profile);
void SaveExportOptions(CProfile& profile, const ExportOptions& options);

// Whether step n is selected by the range text: parts cut at ';', "a-b" inclusive (a missing
// number counts as 0), any other part names one step.
bool IsStepSelected(const std::string& range, unsigned long n);
// Post processor 2 runs only when 1 does, 3 only when 2 does.
void ApplyChainRule(ExportOptions& options);

// kind 0: an existing file; 1: a folder ending in '/' (no file name); 2: a folder ending in '/'
// without extension; 3: a file name in an existing folder.
int CheckExportPath(const std::string& path, int kind);

// The step count the sheet offers: the steps of the selected models, one after the other.
unsigned long CountSelectedSteps(const std::vector<int>& modelSteps, const std::vector<uint8_t>& modelSelection);
// The step flags of the range (or all) over `count` steps; empty when none is selected.
std::vector<uint8_t> MakeStepSelection(const ExportOptions& options, unsigned long count);
// 0 when the choice can be exported, 1 when no model or no step is selected, 2 when an enabled
// post processor has no program.
int ValidateExport(const ExportOptions& options, const std::vector<uint8_t>& modelSelection,
                   const std::vector<uint8_t>& stepSelection);
// A post processor's program: an existing file, or a name without '/' found in the PATH.
int CheckPostProcessorPath(const std::string& path);
