#pragma once
// One group of the part tree: a name ("\" separates levels, as in "Other Parts\A") and a search
// expression over part descriptions that files library parts into it.
#include <string>

#include "config/SearchString.h"

struct PartGroup {
  std::string name;
  std::string rule;
  CSearchString search;  // the compiled rule
  int fixed = 0;         // 1 for the groups every list ends with, 0 for the user's groups
};
