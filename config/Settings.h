#pragma once
// The process-wide options: kept in the profile's section "Settings", plus the colour-bar colours
// and a user colour table in the binary colour file Plandor.cfg. Other code reads the members
// directly.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "config/Geometry.h"

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kColorFileName = "Plandor.cfg";
inline constexpr int kColorBarSize = 16;
inline constexpr int kViewMatrixCount = 8;

class CTqBaseSettings {
 public:
  CTqBaseSettings();
  virtual ~CTqBaseSettings() = default;

  // 1 when every value was written.
  virtual int Save();
  virtual void Load();
  virtual void SetDefaults(int save);
  // Reads the header and the optional colour table of the binary colour file (the colour-bar
  // colours that follow are the caller's). 1 when read.
  virtual int LoadColorFile(FILE* stream);

  double DevRotX = 23, DevRotY = 45, DevRotZ = 0;  // the default view, degrees
  int APVT = 1;      // how added parts show: 0 plain, 1 highlight new, 2 grey, 3 transparent previous
  int ThreeDVA = 1;  // "3DVA": left button in 3-D views, 0 next step, 1 rotate
  int FastStep = 5;
  uint32_t BackgroundColor = 15;
  int Shading = 1;
  int FastRender = 2;  // 0 off .. 3 maximum
  int EnableBFC = 0;   // only without fast rendering
  int Perspective = 0;
  std::string BasePath;  // the library base folder ("Zebpath")
  std::string SavePath;  // where models are saved
  int ShowWarnings = 1;
  int RegFileTypes = 1;
  int LanguageIndex = 0;  // position of the language in CSettings::LanguageList
  int LineWidth = 1;

 protected:
  // Copied only as part of CSettings (no slicing through the base).
  CTqBaseSettings(const CTqBaseSettings&) = default;
  CTqBaseSettings& operator=(const CTqBaseSettings&) = default;
  void SetBaseDefaults();
};

class CSettings : public CTqBaseSettings {
 public:
  CSettings();
  // Saves, when the settings were loaded: settings never loaded would overwrite the user's.
  ~CSettings() override;
  // Copies take every value; only the object that was loaded saves itself at its end (a copy
  // never does, and copying into it keeps it the one that saves).
  CSettings(const CSettings&) = default;
  CSettings& operator=(const CSettings&) = default;

  int Save() override;
  // Profile, library colour files and Plandor.cfg; saves at the end.
  void Load() override;
  void SetDefaults(int save) override;

  // Runs the settings sheet (see SettingsSheet.h) with these values and on OK takes every value
  // back and saves. 0 cancelled, 1 applied, 2 applied with a new library base folder.
  int EditSettings();

  // View matrix 0-7; identity for any other index.
  CMatrix3 GetViewMatrix(int index) const;
  void ResetColorBar();
  // The binary colour file; 1 when written / read completely.
  int WriteCfg();
  int ReadCfg();
  // Where Plandor.cfg is read from or written to: the library base folder, or the user's config
  // folder when the base folder is not writable.
  std::string GetColorFilePath(bool forWriting) const;
  // The language whose colour file applies: the list's entry at the index, else the stored name.
  std::string GetLanguageName() const;
  // $LDRAWDIR, then ~/ldraw, then /usr/share/ldraw.
  static std::string GetDefaultBasePath();
  // Fills LanguageList through the image library's scan of the language packs, finds the stored
  // language in it and makes that pack the program's translation.
  void ScanLanguageDlls();

  std::vector<std::string> LanguageList;  // filled by the language-pack scan
  std::string LanguageName = "English";   // the chosen language, as stored
  // Where language packs are looked for, in order; empty means the program folder, then the
  // installed data folder.
  std::vector<std::string> LanguageFolders;
  int SmallPreview = 1;
  uint32_t PreviewColor = 72;
  std::string Author = "Tolvo";
  double DefRotAngle = 90, MidRotAngle = 30, OffRotAngle = 22.5;
  CVector3 DefStep{16, 16, 16}, MidStep{4, 4, 4}, OffStep{1, 1, 1};
  int AutoPartUpgrade = 1;  // 0 off, 1 ask, 2 on
  int UsePrevColor = 1;
  int UsePrevPos = 0;
  int UseDefMatrix = 0;
  uint32_t DefaultColor = 0;
  int GridType = 0;
  int DrawToSelection = 0;
  int ScreenSelection = 1;
  int StudMode = 3;  // 0 none, 1 lines, 2 coarse, 3 normal
  int EditOnLoad = 1;
  int PrintModel = 1, PrintSteps = 1, MultiSteps = 1, PrintPL = 1, PrintPLPP = 1, PrintHQ = 1,
      PrintSubModel = 1, PrintSubList = 1, PrintFooter = 1, PrintHeader = 1, PrintStepNum = 1;
  int32_t ColorBarColors[kColorBarSize] = {};
  int ViewLT = 4, ViewRT = 2, ViewLB = 0, ViewRB = 6;  // view matrix of each pane
  CMatrix3 ViewMatrices[kViewMatrixCount];
  uint8_t ScrollBars[8] = {};
  int ShowViewCoords = 1;

  // Asked by Load when the stored base folder is no usable library: receives the folder, returns
  // false when the user declined to name a usable one (Load then stops and BasePathRefused is
  // set; the program ends). Without it the folder is taken as it is.
  std::function<bool(std::string& folder)> ChooseBasePath;
  bool BasePathRefused = false;

 private:
  void SetOwnDefaults();
  void RefreshViewMatrices();
  void LoadColorConfiguration();
  // A flag that copying leaves alone.
  struct LoadedFlag {
    bool value = false;
    LoadedFlag() = default;
    LoadedFlag(const LoadedFlag&) {}
    LoadedFlag& operator=(const LoadedFlag&) { return *this; }
  };
  LoadedFlag m_loaded;
  friend void SaveLoadedSettingsAtExit();
};

// The default view (view matrix 6): CMatrix3::SetEuler(DevRotX, DevRotY, DevRotZ).
extern CMatrix3 theDefaultViewMatrix;
// 1 while theDefaultColors holds a user table that Plandor.cfg must carry.
extern int thePrivateColorsFlag;
extern CSettings theSettings;
