#pragma once
// The part generators of the Extras menu (and those reached only by their ids): spring, rubber
// belt, flexible hose, arrow and baseplate. Each opens its dialog; on OK the result becomes a
// generated-part element or, by the dialog's output choice, plain elements in the current model,
// a new model or a new project.
class CCommandMap;
class CQuorvelDoc;

void BindGeneratorCommands(CCommandMap& commands, CQuorvelDoc& doc);
