#pragma once
// The model generators of the Extras menu: Fractal Landscape..., Mosaic... and Rotation Model....
// Each runs its dialog on a model of its own and only after OK, with the save question, makes the
// generated model a new untitled project; Cancel leaves the project as it was.
class CCommandMap;
class CQuorvelDoc;

void BindModelGeneratorCommands(CCommandMap& commands, CQuorvelDoc& doc);
