#pragma once
// File > Save Image(s)...: the options dialog, the file dialog, then the pictures of the steps or
// of the complete models written through wxImage's encoders.
#include <string>

class CCommandMap;
class CQuorvelDoc;

void BindPictureCommands(CCommandMap& commands, CQuorvelDoc& doc);

// The command after the dialogs: writes the pictures of the options under the chosen name;
// false when nothing was written or the series stopped.
bool SavePicturesTo(CQuorvelDoc& doc, const std::string& path);
