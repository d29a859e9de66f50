#pragma once
// Where the help pages are and how a page of the help table becomes a file. The pages of one
// language lie in "Help/<language>/" beside the program, else in the installed data folder; a
// language without pages of its own falls back to "English". Page and folder names are matched
// without regard to case (the table spells some pages in two ways), and anchors are lower-cased:
// the pages name their anchors in lower case.
#include <string>
#include <vector>

// "Help", the folder of the language folders.
inline constexpr const char* kHelpFolderName = "Help";
inline constexpr const char* kHelpDefaultLanguage = "English";

struct HelpPageRef {
  std::string file;    // "view.htm"
  std::string anchor;  // "step", empty for none
};
// "view.htm#Step" -> {"view.htm", "step"}.
HelpPageRef SplitHelpPage(const std::string& page);

// The language folder: the list's entry at the index, else its first entry, else "English".
std::string GetHelpLanguage(const std::vector<std::string>& languages, int index);

// The program folder, then the installed data folder.
std::vector<std::string> DefaultHelpRoots();

class CHelpPages {
 public:
  CHelpPages(std::vector<std::string> roots, std::string language);

  // The language folder found (with a trailing '/'), empty when no root has one.
  const std::string& GetFolder() const { return m_folder; }
  // The folders that were looked for, one a line, for the message when none was found.
  std::string DescribeSearch() const;

  // The file of a page in the folder, found without regard to case; empty when the folder or the
  // page is missing. Only plain file names are taken (no folders, nothing outside the folder).
  std::string FindPageFile(const std::string& file) const;

 private:
  std::vector<std::string> m_roots;
  std::string m_language;
  std::string m_folder;
};

// "file://" + the path with every byte outside the unreserved set and '/' percent-encoded, then
// "#" + anchor when there is one.
std::string MakeFileUrl(const std::string& path, const std::string& anchor = {});
