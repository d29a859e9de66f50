#include "config/ProfileValues.h"

#include "platform/Numbers.h"
#include "platform/Profile.h"

double GetProfileDouble(const std::string& section, const std::string& key, double def) {
  CProfile& profile = TheProfile();
  if (!profile.HasEntry(section, key)) return def;
  double value = 0;
  return ParseDouble(profile.GetProfileString(section, key, std::string()), value) ? value : def;
}

bool WriteProfileDouble(const std::string& section, const std::string& key, double value) {
  return TheProfile().WriteProfileString(section, key, FormatG(value));
}

CVector3 GetProfileVector(const std::string& section, const std::string& key, const CVector3& def) {
  return {GetProfileDouble(section, key + "X", def.x), GetProfileDouble(section, key + "Y", def.y),
          GetProfileDouble(section, key + "Z", def.z)};
}

bool WriteProfileVector(const std::string& section, const std::string& key, const CVector3& value) {
  bool ok = WriteProfileDouble(section, key + "X", value.x);
  ok = WriteProfileDouble(section, key + "Y", value.y) && ok;
  return WriteProfileDouble(section, key + "Z", value.z) && ok;
}
