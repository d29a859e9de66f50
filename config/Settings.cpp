#include "config/Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "config/BasePathCheck.h"
#include "config/ColorTable.h"
#include "config/DllContainer.h"
#include "config/LanguagePack.h"
#include "config/PathResolver.h"
#include "config/ProfileValues.h"
#include "config/SettingsSheet.h"
#include "config/Tracer.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

CMatrix3 theDefaultViewMatrix;
int thePrivateColorsFlag = 0;
CSettings theSettings;

namespace {

int ReadInt(const char* key, int def) { return TheProfile().GetProfileInt(kSettingsSection, key, def); }
uint32_t ReadColor(const char* key, uint32_t def) {
  return static_cast<uint32_t>(ReadInt(key, static_cast<int>(def)));
}
std::string ReadString(const char* key, const std::string& def) {
  return TheProfile().GetProfileString(kSettingsSection, key, def);
}
bool WriteInt(const char* key, int value) {
  return TheProfile().WriteProfileInt(kSettingsSection, key, value);
}
bool WriteColor(const char* key, uint32_t value) { return WriteInt(key, static_cast<int>(value)); }
bool WriteString(const char* key, const std::string& value) {
  return TheProfile().WriteProfileString(kSettingsSection, key, value);
}

// The view angles are stored as whole degrees, cut towards zero.
int TruncateDegrees(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  return static_cast<int>(std::trunc(std::fmax(-1e9, std::fmin(1e9, degrees))));
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// The library's model folder, whatever the case of its name on disk.
std::string ModelsFolder(const std::string& base) {
  std::string found = thePathResolver.Resolve(base, "Models");
  return found.empty() ? JoinPath(base, "Models") : found;
}

// Integer keys: name, member, default when reading, whether the value is a 0/1 switch.
template <class Settings>
struct IntKey {
  const char* key;
  int Settings::*member;
  int def;
  bool flag;
};

const IntKey<CTqBaseSettings> kBaseInts[] = {
    {"APVT", &CTqBaseSettings::APVT, 1, false},
    {"3DVA", &CTqBaseSettings::ThreeDVA, 1, false},
    {"FastStep", &CTqBaseSettings::FastStep, 5, false},
    {"Shading", &CTqBaseSettings::Shading, 1, true},
    {"FastRender", &CTqBaseSettings::FastRender, 2, false},
    {"EnableBFC", &CTqBaseSettings::EnableBFC, 0, false},
    {"Perspective", &CTqBaseSettings::Perspective, 0, false},
    {"ShowWarnings", &CTqBaseSettings::ShowWarnings, 1, true},
    {"RegFileTypes", &CTqBaseSettings::RegFileTypes, 1, true},
    {"LineWidth", &CTqBaseSettings::LineWidth, 1, false},
};

const IntKey<CSettings> kOwnInts[] = {
    {"SmallPreview", &CSettings::SmallPreview, 1, true},
    {"AutoPartUpgrade", &CSettings::AutoPartUpgrade, 1, false},
    {"UsePrevColor", &CSettings::UsePrevColor, 1, true},
    {"UsePrevPos", &CSettings::UsePrevPos, 0, true},
    {"UseDefMatrix", &CSettings::UseDefMatrix, 0, true},
    {"GridType", &CSettings::GridType, 0, false},
    {"DrawToSelection", &CSettings::DrawToSelection, 0, true},
    {"ScreenSelection", &CSettings::ScreenSelection, 1, true},
    {"StudMode", &CSettings::StudMode, 3, false},
    {"EditOnLoad", &CSettings::EditOnLoad, 1, true},
    {"PrintModel", &CSettings::PrintModel, 1, true},
    {"PrintSteps", &CSettings::PrintSteps, 1, true},
    {"MultiSteps", &CSettings::MultiSteps, 1, true},
    {"PrintPL", &CSettings::PrintPL, 1, true},
    {"PrintPLPP", &CSettings::PrintPLPP, 1, true},
    {"PrintHQ", &CSettings::PrintHQ, 1, true},
    {"PrintSubModel", &CSettings::PrintSubModel, 1, true},
    {"PrintSubList", &CSettings::PrintSubList, 1, true},
    {"PrintFooter", &CSettings::PrintFooter, 1, true},
    {"PrintHeader", &CSettings::PrintHeader, 1, true},
    {"PrintStepNum", &CSettings::PrintStepNum, 1, true},
    {"ViewLT", &CSettings::ViewLT, 4, false},
    {"ViewRT", &CSettings::ViewRT, 2, false},
    {"ViewLB", &CSettings::ViewLB, 0, false},
    {"ViewRB", &CSettings::ViewRB, 6, false},
    {"ShowViewCoords", &CSettings::ShowViewCoords, 1, false},
};

template <class Settings, size_t N>
void ReadInts(Settings& s, const IntKey<Settings> (&keys)[N]) {
  for (const auto& k : keys) {
    int value = ReadInt(k.key, k.def);
    s.*k.member = k.flag ? (value != 0 ? 1 : 0) : value;
  }
}

template <class Settings, size_t N>
bool WriteInts(const Settings& s, const IntKey<Settings> (&keys)[N]) {
  bool ok = true;
  for (const auto& k : keys) ok = WriteInt(k.key, s.*k.member) && ok;
  return ok;
}

// The first six views are fixed; 6 follows the default view and 7 stays all zero. Plain
// constants: theSettings is built before any object of this file, and its constructor copies them.
constexpr double kFixedViews[6][9] = {
    {1, 0, 0, 0, 0, -1, 0, 1, 0}, {1, 0, 0, 0, 0, 1, 0, -1, 0}, {0, 0, -1, 0, 1, 0, 1, 0, 0},
    {0, 0, 1, 0, 1, 0, -1, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1},  {-1, 0, 0, 0, 1, 0, 0, 0, -1},
};

}  // namespace

// ---- CTqBaseSettings ----

CTqBaseSettings::CTqBaseSettings() {
  BasePath = CSettings::GetDefaultBasePath();
  LanguageIndex = 0;
  SetBaseDefaults();
}

void CTqBaseSettings::SetBaseDefaults() {
  DevRotX = 23, DevRotY = 45, DevRotZ = 0;
  APVT = 1, ThreeDVA = 1, FastStep = 5;
  BackgroundColor = 15;
  Shading = 1, FastRender = 2, EnableBFC = 0, Perspective = 0;
  ShowWarnings = 1, RegFileTypes = 1, LineWidth = 1;
  LanguageIndex = 0;
  SavePath = JoinPath(BasePath, "Models");
  theDefaultViewMatrix.SetEuler(DevRotX, DevRotY, DevRotZ);
}

void CTqBaseSettings::SetDefaults(int save) {
  SetBaseDefaults();
  SavePath = ModelsFolder(BasePath);
  if (save) Save();
}

void CTqBaseSettings::Load() {
  DevRotX = ReadInt("DevRotX", 23);
  DevRotY = ReadInt("DevRotY", 45);
  DevRotZ = ReadInt("DevRotZ", 0);
  ReadInts(*this, kBaseInts);
  BackgroundColor = ReadColor("BackgroundColor", 0x2FFFFFF);
  BasePath = ReadString("Zebpath", CSettings::GetDefaultBasePath());
  theDefaultViewMatrix.SetEuler(DevRotX, DevRotY, DevRotZ);
  // Back-face culling is only drawn by the full renderer.
  if (FastRender != 0) EnableBFC = 0;
  SavePath = BasePath;
}

int CTqBaseSettings::Save() {
  bool ok = WriteInt("DevRotX", TruncateDegrees(DevRotX));
  ok = WriteInt("DevRotY", TruncateDegrees(DevRotY)) && ok;
  ok = WriteInt("DevRotZ", TruncateDegrees(DevRotZ)) && ok;
  ok = WriteInts(*this, kBaseInts) && ok;
  ok = WriteColor("BackgroundColor", BackgroundColor) && ok;
  ok = WriteString("Zebpath", BasePath) && ok;
  return ok ? 1 : 0;
}

// ---- CSettings ----

// The global settings are saved by this handler, registered once they are loaded: it runs while the
// profile store still exists, which is not so when static objects are destroyed.
void SaveLoadedSettingsAtExit() {
  if (!theSettings.m_loaded.value) return;
  theSettings.Save();
  theSettings.m_loaded.value = false;
}

CSettings::CSettings() {
  // Built before main: no profile, no library look-ups, no colour tables yet.
  SetOwnDefaults();
}

CSettings::~CSettings() {
  if (m_loaded.value) Save();
}

std::string CSettings::GetDefaultBasePath() {
  if (const char* env = std::getenv("LDRAWDIR"); env && *env) return env;
  std::string home;
  if (const char* h = std::getenv("HOME"); h && *h) home = JoinPath(h, "ldraw");
  if (!home.empty() && IsDirectory(home)) return home;
  if (IsDirectory("/usr/share/ldraw")) return "/usr/share/ldraw";
  if (!home.empty()) return home;
  std::error_code ec;
  std::string current = std::filesystem::current_path(ec).string();
  return ec ? std::string("/") : current;
}

void CSettings::SetOwnDefaults() {
  LanguageIndex = 0;
  SmallPreview = 1;
  PreviewColor = 72;
  Author = "Tolvo";
  DefRotAngle = 90, MidRotAngle = 30, OffRotAngle = 22.5;
  DefStep = {16, 16, 16}, MidStep = {4, 4, 4}, OffStep = {1, 1, 1};
  AutoPartUpgrade = 1, UsePrevColor = 1, UsePrevPos = 0, UseDefMatrix = 0;
  DefaultColor = 0;
  GridType = 0, DrawToSelection = 0, ScreenSelection = 1, StudMode = 3, EditOnLoad = 1;
  PrintModel = PrintSteps = MultiSteps = PrintPL = PrintPLPP = PrintHQ = PrintSubModel = PrintSubList =
      PrintFooter = PrintHeader = PrintStepNum = 1;
  ViewLT = 4, ViewRT = 2, ViewLB = 0, ViewRB = 6;
  std::memset(ScrollBars, 0, sizeof(ScrollBars));
  ShowViewCoords = 1;
  ResetColorBar();
  RefreshViewMatrices();
}

void CSettings::SetDefaults(int save) {
  CTqBaseSettings::SetDefaults(0);
  SetOwnDefaults();
  std::memcpy(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors));
  thePrivateColorsFlag = 0;
  if (save) Save();
}

void CSettings::RefreshViewMatrices() {
  theDefaultViewMatrix.SetEuler(DevRotX, DevRotY, DevRotZ);
  for (int i = 0; i < 6; ++i) std::copy(std::begin(kFixedViews[i]), std::end(kFixedViews[i]), ViewMatrices[i].m.begin());
  ViewMatrices[6] = theDefaultViewMatrix;
  ViewMatrices[7] = CMatrix3();
}

CMatrix3 CSettings::GetViewMatrix(int index) const {
  if (index < 0 || index >= kViewMatrixCount) return CMatrix3::Identity();
  return ViewMatrices[index];
}

void CSettings::ResetColorBar() {
  static constexpr int32_t kColorBar[kColorBarSize] = {15, 151, 71, 72, 0,  216, 4, 25,
                                                       14, 27,  2,  73, 89, 22,  5, 80};
  std::memcpy(ColorBarColors, kColorBar, sizeof(ColorBarColors));
}

int CSettings::EditSettings() {
  ISettingsSheet* sheet = TheSettingsSheet();
  SettingsSheetValues values = SheetValuesFrom(*this);
  if (!sheet || !sheet->Run(values)) return 0;
  const int oldLanguage = LanguageIndex;
  const std::string oldBase = BasePath;
  TakeSheetValues(values, *this);
  if (LanguageIndex != oldLanguage)
    ShowMessage("Please restart Plandor to make the language change effective!", PromptButtons::Ok,
                PromptIcon::Information);
  RefreshViewMatrices();
  const bool newBase = BasePath != oldBase;
  if (newBase) SavePath = ModelsFolder(BasePath);
  Save();
  return newBase ? 2 : 1;
}

std::string CSettings::GetLanguageName() const {
  if (LanguageList.empty()) return LanguageName;
  size_t index = LanguageIndex >= 0 && static_cast<size_t>(LanguageIndex) < LanguageList.size()
                     ? static_cast<size_t>(LanguageIndex)
                     : 0;
  return LanguageList[index];
}

void CSettings::Load() {
  CTqBaseSettings::Load();
  ScanLanguageDlls();

  BasePath = ReadString("Zebpath", GetDefaultBasePath());
  SavePath = ReadString("SavePath", std::string());
  Author = ReadString("Author", "Plandor");
  ReadInts(*this, kOwnInts);
  PreviewColor = ReadColor("PreviewColor", 72);
  DefaultColor = ReadColor("DefaultColor", 0);
  DefRotAngle = GetProfileDouble(kSettingsSection, "DefRotAngle", 90);
  MidRotAngle = GetProfileDouble(kSettingsSection, "MidRotAngle", 30);
  OffRotAngle = GetProfileDouble(kSettingsSection, "OffRotAngle", 22.5);
  DefStep = GetProfileVector(kSettingsSection, "DefStep", {16, 16, 16});
  MidStep = GetProfileVector(kSettingsSection, "MidStep", {4, 4, 4});
  OffStep = GetProfileVector(kSettingsSection, "OffStep", {1, 1, 1});
  int bars = ReadInt("ScrollBars", 0);
  for (int k = 0; k < 8; ++k) ScrollBars[k] = static_cast<uint8_t>((bars >> k) & 1);
  RefreshViewMatrices();
  // Background colours are the solid table colours below 32.
  BackgroundColor = ReadColor("BackgroundColor", 15);
  if (BackgroundColor >= 32) BackgroundColor = 15;

  BasePathRefused = false;
  if (ChooseBasePath && CheckBasePath(BasePath) != kBasePathOk) {
    theTracer.Printf("Library base folder '%s' is not usable: %s\n", BasePath.c_str(),
                     BasePathStatusText(CheckBasePath(BasePath)));
    std::string folder = BasePath;
    if (!ChooseBasePath(folder)) {
      BasePathRefused = true;
      return;
    }
    BasePath = folder;
  }
  if (SavePath.empty()) SavePath = ModelsFolder(BasePath);
  LoadColorConfiguration();
  if (!ReadCfg()) {
    std::memcpy(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors));
    thePrivateColorsFlag = 0;
    ResetColorBar();
  }
  m_loaded.value = true;
  if (this == &theSettings) {
    static const bool registered = std::atexit(SaveLoadedSettingsAtExit) == 0;
    (void)registered;
  }
  Save();
}

namespace {

// The English text of a string id, never a translation (the required version is fixed).
std::string EnglishResString(unsigned id) {
  for (const auto& [key, text] : GetResStringTable())
    if (key == id) return text;
  return {};
}
}  // namespace

void CSettings::ScanLanguageDlls() {
  theTracer.Printf("\nStart scanning for language dlls ...\n");
  // The library appends its verdicts to the log file while the program's log is closed.
  bool logOpen = theTracer.IsOpen();
  if (logOpen) theTracer.Pause();
  std::vector<std::string> folders = LanguageFolders;
  if (folders.empty()) folders = {GetProgramDirectory(), GetDataDirectory()};
  std::vector<std::string> names{"English"};
  std::string packFolder;
  int result = 0;
  {
    CDllContainer dll;
    std::vector<std::string> required = RequiredLanguageIds();
    std::string version = EnglishResString(kStringLanguageVersion);
    for (const std::string& folder : folders) {
      TolvoStringList list{};
      result = dll.ScanCheckLangDlls(&list, folder, version, required, logOpen ? theTracer.GetPath() : std::string());
      if (result) names.assign(list.items, list.items + list.count);
      dll.FreeStringList(&list);
      if (result) {
        packFolder = folder;
        break;
      }
    }
  }
  if (logOpen) theTracer.Resume();
  if (!result) theTracer.Printf("ERROR: Failed to scan language dll's!\n");
  LanguageList = names;

  LanguageName = ReadString("LanguageName", "English");
  LanguageIndex = 0;
  auto found = std::find(LanguageList.begin(), LanguageList.end(), LanguageName);
  if (found == LanguageList.end()) {
    ShowMessageId(kStringLanguageMissing, PromptButtons::Ok, PromptIcon::Information);
    return;
  }
  int index = static_cast<int>(found - LanguageList.begin());
  // Index 0 is the built-in English; a pack made the translation earlier in the run stays.
  if (index == 0) return;
  if (!packFolder.empty() && packFolder.back() != '/') packFolder += '/';
  // The pack is opened by the name the scan found it under: file names differ in letter case here.
  if (UseLanguagePack(packFolder + "tolvolang" + LanguageName + ".mo")) LanguageIndex = index;
}

void CSettings::LoadColorConfiguration() {
  InitColorTableUnused(theLDConfigColors);
  // The generic file comes last, so that its definitions win over the language's.
  const std::string names[] = {"ldconfig_" + GetLanguageName() + ".ldr", "ldconfig.ldr"};
  bool loaded = false;
  for (const std::string& name : names) {
    std::string path = thePathResolver.Resolve(BasePath, name);
    if (!path.empty() && LoadLDConfigFile(path)) {
      theTracer.Printf("Color configuration loaded from '%s'!\n", path.c_str());
      loaded = true;
    } else {
      theTracer.Printf("Error loading color information from '%s'!\n",
                       (path.empty() ? JoinPath(BasePath, name) : path).c_str());
    }
  }
  if (!loaded) {
    theTracer.Printf("Using internal color configuration!\n");
    BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
  }
}

int CSettings::Save() {
  bool ok = CTqBaseSettings::Save() != 0;
  // The stored choice, even when its pack is missing at this start: it may come back.
  ok = WriteString("LanguageName", LanguageName) && ok;
  ok = WriteString("SavePath", SavePath) && ok;
  ok = WriteString("Author", Author) && ok;
  ok = WriteInts(*this, kOwnInts) && ok;
  ok = WriteColor("PreviewColor", PreviewColor) && ok;
  ok = WriteColor("DefaultColor", DefaultColor) && ok;
  ok = WriteProfileDouble(kSettingsSection, "DefRotAngle", DefRotAngle) && ok;
  ok = WriteProfileDouble(kSettingsSection, "MidRotAngle", MidRotAngle) && ok;
  ok = WriteProfileDouble(kSettingsSection, "OffRotAngle", OffRotAngle) && ok;
  ok = WriteProfileVector(kSettingsSection, "DefStep", DefStep) && ok;
  ok = WriteProfileVector(kSettingsSection, "MidStep", MidStep) && ok;
  ok = WriteProfileVector(kSettingsSection, "OffStep", OffStep) && ok;
  int bars = 0;
  for (int k = 0; k < 8; ++k)
    if (ScrollBars[k]) bars |= 1 << k;
  ok = WriteInt("ScrollBars", bars) && ok;
  ok = WriteCfg() && ok;
  ok = TheProfile().Flush() && ok;
  return ok ? 1 : 0;
}

std::string CSettings::GetColorFilePath(bool forWriting) const {
  std::string inBase = JoinPath(BasePath, kColorFileName);
  if (IsWritableDirectory(BasePath)) return inBase;
  std::string folder = GetUserConfigDirectory();
  if (folder.empty()) return inBase;
  std::string inUser = folder + kColorFileName;
  // A read-only library may still carry a colour file of its own until the user has one.
  return forWriting || FileExists(inUser) ? inUser : inBase;
}
