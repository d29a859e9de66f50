#include "PartListTestSupport.h"

#include <filesystem>

#include "platform/Profile.h"

CScratchProfile::CScratchProfile() { SetProfile(std::make_unique<CFileProfile>(m_dir / "Plandor.conf")); }
CScratchProfile::~CScratchProfile() { SetProfile(nullptr); }

CTestPartList::CTestPartList() {
  PartListPlaces places;
  places.userFolder = userDir.Path();
  places.importFolder = importDir.Path();
  list.SetPlaces(places);
}

std::string FixtureLongDescription() {
  return "Custom Part " + std::string(58, 'y');  // 12 + 58 = 70 characters
}

void WriteFixtureLibrary(const std::string& base) {
  namespace fs = std::filesystem;
  fs::create_directories(base + "Parts/s");
  fs::create_directories(base + "models");
  fs::create_directories(base + "p");
  WriteFileBytes(base + "Parts/3001.dat",
                 "0 Brick  2 x  4\r\n0 Name: 3001.dat\r\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 s\\3001s01.dat\r\n");
  WriteFileBytes(base + "Parts/3005.DAT", "0 Brick  1 x  1\n");
  WriteFileBytes(base + "Parts/91.dat", "0 ~Moved to 3326\n");
  WriteFileBytes(base + "Parts/Write.dat", "  0 WRITE WRITEPlate 1 x 2  \n");
  WriteFileBytes(base + "Parts/NoZero.dat", "1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
  WriteFileBytes(base + "Parts/verylongpartname.dat", "0 " + FixtureLongDescription() + "\n");
  WriteFileBytes(base + "Parts/bom.dat",
                 "\xEF\xBB\xBF"
                 "0 Axle 3\r\n");
  WriteFileBytes(base + "Parts/car1.dat", "0 Model\\Car\n");
  WriteFileBytes(base + "Parts/readme.txt", "0 Not a part\n");
  WriteFileBytes(base + "Parts/s/3001s01.dat", "0 ~Brick  2 x  4 without Front Face\n");
  WriteFileBytes(base + "p/stud.dat", "0 Stud\n");
  WriteFileBytes(base + "models/Car.LDR", "0 My Car\n");
  WriteFileBytes(base + "models/house.dat", "0 House\n");
}
