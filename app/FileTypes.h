#pragma once
// The desktop's association of model files with the program: shared-mime-info types for ".ldr"
// and ".mpd" and a desktop entry that opens them, in the user's XDG data folder. The check looks
// in the user's folder first, then in the system's data folders.
#include <string>
#include <vector>

inline constexpr const char* kLdrMimeType = "application/x-ldraw";
inline constexpr const char* kMpdMimeType = "application/x-multi-part-ldraw";

struct FileTypePlaces {
  std::string dataHome;               // $XDG_DATA_HOME, else ~/.local/share
  std::vector<std::string> dataDirs;  // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
  std::string programPath;            // the executable; empty when it cannot be read
  bool runUpdaters = true;            // update-mime-database and update-desktop-database
};

class CFileTypeRegistration {
 public:
  explicit CFileTypeRegistration(FileTypePlaces places) : m_places(std::move(places)) {}
  // The places of this user and this program.
  static FileTypePlaces DefaultPlaces();

  std::string MimeFilePath() const;     // <dataHome>/mime/packages/plandor.xml
  std::string DesktopFilePath() const;  // <dataHome>/applications/plandor.desktop
  const FileTypePlaces& Places() const { return m_places; }

  // Each check logs its verdict; IsRegistered stops at the first that fails.
  bool CheckDesktopEntry() const;
  bool CheckExtension(const std::string& extension) const;
  bool IsRegistered() const;
  // Writes both files (atomically) and refreshes the desktop's caches; false on a write failure.
  bool Register() const;
  // Removes both files from the user's folder; false when one is still there.
  bool Unregister() const;

  // The texts written.
  std::string MimeText() const;
  std::string DesktopText() const;

 private:
  std::vector<std::string> SearchFolders() const;
  void RunUpdaters() const;
  FileTypePlaces m_places;
};

// The start-up check: 1 when there is nothing to report (disabled, registered, or the user
// declined), 0 when the registration could not be checked or written.
int CheckFileTypeRegistration(int regFileTypes, const CFileTypeRegistration& registration);
