#pragma once
// What the settings sheet shows and edits, page by page, in the form its controls take (list
// indices, radio indices, check marks), and the narrow way CSettings::EditSettings reaches the
// sheet: the program installs the window, tests install a scripted one.
#include <string>
#include <vector>

#include "config/Geometry.h"

class CSettings;

struct GeneralPageValues {
  std::string basePath;
  std::string author;
  bool showWarnings = false;
  bool screenSelection = false;
  bool editOnLoad = false;
  bool regFileTypes = false;
  int autoPartUpgrade = 0;  // "Off", "Ask", "On"
  std::vector<std::string> languages;
  int language = 0;
};

struct RenderingPageValues {
  bool shading = false;
  bool perspective = false;
  int optimization = 0;  // FastRender: "Off", "Minimum", "Medium", "Maximum"
  bool enableBFC = false;
  int lineWidth = 0;  // item index: LineWidth - 1
  bool drawToSelection = false;
  int studMode = 1;  // "None", "Lines", "Coarse", "Normal"
  unsigned backgroundColor = 0;
  unsigned previewColor = 0;
  bool smallPreview = false;

  // BFC statements only make sense without the optimisation.
  bool BfcEnabled() const { return optimization == 0; }
  // A new optimisation choice: any other than "Off" clears the BFC check.
  void SetOptimization(int index);
};

struct PrintingPageValues {
  bool printModel = false, printSteps = false, multiSteps = false, printHQ = false;
  bool printPL = false, printPLPP = false, printSubModel = false, printSubList = false;
  bool printHeader = false, printFooter = false, printStepNum = false;

  bool StepsEnabled() const { return printModel; }  // also "High quality"
  bool MultiStepsEnabled() const { return printModel && printSteps; }
  bool PartsPerStepEnabled() const { return printPL; }
};

struct DocumentPageValues {
  double rotX = 0, rotY = 0, rotZ = 0;  // -360 to 360
  int position = 0;                     // UsePrevPos: 0 "Same as previous", 1 "Centered"
  int orientation = 0;                  // UseDefMatrix: 0 "Same as previous", 1 "Default"
  int color = 0;                        // 1 - UsePrevColor: 0 "Same as previous", 1 "Default"
  unsigned defaultColor = 0;            // 0 to 31
};

struct GridPageValues {
  // Rows coarse, medium, fine.
  CVector3 steps[3];   // 0.001 to 100 each
  double angles[3]{};  // 0.001 to 360
};

struct ViewModePageValues {
  int leftButton = 0;  // 3DVA: 0 "Draw next step", 1 "Rotate part / model"
  int fastStep = 1;    // 1 to 100
  int addedParts = 0;  // APVT
};

// The ranges the sheet's fields accept.
inline constexpr double kMinDefaultRotation = -360, kMaxDefaultRotation = 360;
inline constexpr double kMinStepUnit = 0.001, kMaxStepUnit = 100;
inline constexpr double kMinGridAngle = 0.001, kMaxGridAngle = 360;
inline constexpr int kMinFastStep = 1, kMaxFastStep = 100;
inline constexpr unsigned kMaxRestrictedColor = 31;

struct SettingsSheetValues {
  GeneralPageValues general;
  RenderingPageValues rendering;
  PrintingPageValues printing;
  DocumentPageValues document;
  GridPageValues grid;
  ViewModePageValues viewMode;
};

SettingsSheetValues SheetValuesFrom(const CSettings& settings);
// Copies every value back (the language list stays the settings' own).
void TakeSheetValues(const SettingsSheetValues& values, CSettings& settings);

class ISettingsSheet {
 public:
  virtual ~ISettingsSheet() = default;
  // Shows the values, runs the sheet modally; true on OK, with the values edited.
  virtual bool Run(SettingsSheetValues& values) = 0;
};

// The sheet in force; none means EditSettings cancels at once.
ISettingsSheet* TheSettingsSheet();
void SetSettingsSheet(ISettingsSheet* sheet);
