#pragma once
// The model generators of the Extras menu: Fractal Landscape..., Mosaic... and Rotation Model....
// Each asks the save question first, runs its dialog on a model of its own, and only after OK
// makes the generated model the document's new project; Cancel leaves the project as it was.
class CCommandMap;
class CQuorvelDoc;
class CQvFile;

void BindGeneratorCommands(CCommandMap& commands, CQuorvelDoc& doc);
// Makes the model the document's project (one model, titled after the document); 1 when done.
int TakeGeneratedModel(CQuorvelDoc& doc, CQvFile& model);
