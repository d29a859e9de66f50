#pragma once
// Reals and vectors in the profile: kept as "%g" strings, written and read in the "C" locale
// whatever the process locale says, so that "22.5" never turns into "22,5" or back into 22.
#include <string>

#include "config/Geometry.h"

// The stored real, or def when the key is missing or does not hold a finite number.
double GetProfileDouble(const std::string& section, const std::string& key, double def);
bool WriteProfileDouble(const std::string& section, const std::string& key, double value);
// The three keys key + "X", "Y", "Z"; each missing or bad one takes its part of def.
CVector3 GetProfileVector(const std::string& section, const std::string& key, const CVector3& def);
bool WriteProfileVector(const std::string& section, const std::string& key, const CVector3& value);
