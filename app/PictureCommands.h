#pragma once
// File > Save Image(s)...: the options dialog, the file dialog, then the pictures of the steps or
// of the complete models written through wxImage's encoders.
#include <string>

class CCommandMap;
class CQuorvelDoc;

// True when no picture of the series exists yet (the chosen name aside) or the user lets them be
// replaced.
bool ReplaceExistingPictures(const CQuorvelDoc& doc, const std::string& path);

void BindPictureCommands(CCommandMap& commands, CQuorvelDoc& doc);

// The command after the dialogs: writes the pictures of the options under the chosen name, after
// one question when pictures of the series already exist; false when nothing was written, the
// question was answered No or the series stopped.
bool SavePicturesTo(CQuorvelDoc& doc, const std::string& path);
