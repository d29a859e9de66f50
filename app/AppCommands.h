#pragma once
// The application's link of the command chain, the last one: Exit and About.
#include <wx/string.h>

#include <memory>

class CCommandMap;

// versionTitle is what the about box shows.
std::unique_ptr<CCommandMap> MakeApplicationCommands(const wxString& versionTitle);
