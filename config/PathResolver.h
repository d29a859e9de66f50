#pragma once
// Finds files of the LDraw library whatever the letter case of their names: library and model files
// name sub-files as "S\3001S01.DAT" while the library on disk has "parts/s/3001s01.dat". Each path
// component is matched without regard to case, '\' and '/' both separate components, and folder
// listings are read once and kept until Invalidate.
#include <string>
#include <string_view>
#include <unordered_map>

class CPathResolver {
 public:
  // The real path of `relative` below the folder `base` (which is taken as it is), or empty when
  // some component does not exist. An exact match of the case wins over other spellings.
  std::string Resolve(const std::string& base, std::string_view relative);
  // The same for a whole path: absolute, or relative to `base` when not absolute.
  std::string ResolvePath(const std::string& base, std::string_view path);
  // Forgets every listing (after the library changed: a part scan, a cache flush).
  void Invalidate() { m_listings.clear(); }

 private:
  using Listing = std::unordered_multimap<std::string, std::string>;  // lower-case name -> real name
  const Listing& GetListing(const std::string& folder);

  std::unordered_map<std::string, Listing> m_listings;
};

// The resolver every library look-up of the program goes through.
extern CPathResolver thePathResolver;

// "a\b/c" -> "a/b/c".
std::string ToForwardSlashes(std::string_view path);
