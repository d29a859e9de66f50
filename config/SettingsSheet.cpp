#include "config/SettingsSheet.h"

#include "config/Settings.h"

namespace {
ISettingsSheet* g_sheet = nullptr;
int Flag(bool b) { return b ? 1 : 0; }
// A list left without a selection (its stored value was not one of the items) keeps the value.
void TakeIndex(int index, int& setting) {
  if (index >= 0) setting = index;
}
}  // namespace

ISettingsSheet* TheSettingsSheet() { return g_sheet; }
void SetSettingsSheet(ISettingsSheet* sheet) { g_sheet = sheet; }

void RenderingPageValues::SetOptimization(int index) {
  optimization = index;
  if (!BfcEnabled()) enableBFC = false;
}

SettingsSheetValues SheetValuesFrom(const CSettings& s) {
  SettingsSheetValues v;
  GeneralPageValues& g = v.general;
  g.basePath = s.BasePath;
  g.author = s.Author;
  g.showWarnings = s.ShowWarnings != 0;
  g.screenSelection = s.ScreenSelection != 0;
  g.editOnLoad = s.EditOnLoad != 0;
  g.regFileTypes = s.RegFileTypes != 0;
  g.autoPartUpgrade = s.AutoPartUpgrade;
  g.languages = s.LanguageList;
  g.language = s.LanguageIndex;

  RenderingPageValues& r = v.rendering;
  r.shading = s.Shading != 0;
  r.perspective = s.Perspective != 0;
  r.optimization = s.FastRender;
  r.enableBFC = s.EnableBFC != 0;
  r.lineWidth = s.LineWidth - 1;
  r.drawToSelection = s.DrawToSelection != 0;
  r.studMode = s.StudMode;
  r.backgroundColor = s.BackgroundColor;
  r.previewColor = s.PreviewColor;
  r.smallPreview = s.SmallPreview != 0;

  PrintingPageValues& p = v.printing;
  p.printModel = s.PrintModel != 0;
  p.printSteps = s.PrintSteps != 0;
  p.multiSteps = s.MultiSteps != 0;
  p.printHQ = s.PrintHQ != 0;
  p.printPL = s.PrintPL != 0;
  p.printPLPP = s.PrintPLPP != 0;
  p.printSubModel = s.PrintSubModel != 0;
  p.printSubList = s.PrintSubList != 0;
  p.printHeader = s.PrintHeader != 0;
  p.printFooter = s.PrintFooter != 0;
  p.printStepNum = s.PrintStepNum != 0;

  DocumentPageValues& d = v.document;
  d.rotX = s.DevRotX;
  d.rotY = s.DevRotY;
  d.rotZ = s.DevRotZ;
  d.position = s.UsePrevPos;
  d.orientation = s.UseDefMatrix;
  d.color = 1 - s.UsePrevColor;
  d.defaultColor = s.DefaultColor;

  v.grid.steps[0] = s.DefStep;
  v.grid.steps[1] = s.MidStep;
  v.grid.steps[2] = s.OffStep;
  v.grid.angles[0] = s.DefRotAngle;
  v.grid.angles[1] = s.MidRotAngle;
  v.grid.angles[2] = s.OffRotAngle;

  v.viewMode.leftButton = s.ThreeDVA;
  v.viewMode.fastStep = s.FastStep;
  v.viewMode.addedParts = s.APVT;
  return v;
}

void TakeSheetValues(const SettingsSheetValues& v, CSettings& s) {
  const GeneralPageValues& g = v.general;
  s.BasePath = g.basePath;
  s.Author = g.author;
  s.ShowWarnings = Flag(g.showWarnings);
  s.ScreenSelection = Flag(g.screenSelection);
  s.EditOnLoad = Flag(g.editOnLoad);
  s.RegFileTypes = Flag(g.regFileTypes);
  TakeIndex(g.autoPartUpgrade, s.AutoPartUpgrade);
  // A language list without a selection (no packs scanned) leaves the language as it is.
  if (g.language >= 0 && g.language < static_cast<int>(s.LanguageList.size())) {
    s.LanguageIndex = g.language;
    s.LanguageName = s.LanguageList[static_cast<size_t>(g.language)];
  }

  const RenderingPageValues& r = v.rendering;
  s.Shading = Flag(r.shading);
  s.Perspective = Flag(r.perspective);
  TakeIndex(r.optimization, s.FastRender);
  s.EnableBFC = Flag(r.enableBFC && s.FastRender == 0);
  if (r.lineWidth >= 0) s.LineWidth = r.lineWidth + 1;
  s.DrawToSelection = Flag(r.drawToSelection);
  // A stud-mode list without a selection counts as "Lines".
  s.StudMode = r.studMode < 0 ? 1 : r.studMode;
  s.BackgroundColor = r.backgroundColor;
  s.PreviewColor = r.previewColor;
  s.SmallPreview = Flag(r.smallPreview);

  const PrintingPageValues& p = v.printing;
  s.PrintModel = Flag(p.printModel);
  s.PrintSteps = Flag(p.printSteps);
  s.MultiSteps = Flag(p.multiSteps);
  s.PrintHQ = Flag(p.printHQ);
  s.PrintPL = Flag(p.printPL);
  s.PrintPLPP = Flag(p.printPLPP);
  s.PrintSubModel = Flag(p.printSubModel);
  s.PrintSubList = Flag(p.printSubList);
  s.PrintHeader = Flag(p.printHeader);
  s.PrintFooter = Flag(p.printFooter);
  s.PrintStepNum = Flag(p.printStepNum);

  const DocumentPageValues& d = v.document;
  s.DevRotX = d.rotX;
  s.DevRotY = d.rotY;
  s.DevRotZ = d.rotZ;
  s.UsePrevPos = d.position;
  s.UseDefMatrix = d.orientation;
  s.UsePrevColor = 1 - d.color;
  s.DefaultColor = d.defaultColor;

  s.DefStep = v.grid.steps[0];
  s.MidStep = v.grid.steps[1];
  s.OffStep = v.grid.steps[2];
  s.DefRotAngle = v.grid.angles[0];
  s.MidRotAngle = v.grid.angles[1];
  s.OffRotAngle = v.grid.angles[2];

  s.ThreeDVA = v.viewMode.leftButton;
  s.FastStep = v.viewMode.fastStep;
  TakeIndex(v.viewMode.addedParts, s.APVT);
}
