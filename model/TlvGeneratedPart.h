#pragma once
// What the five generated parts share: each is a sub-file reference whose file is its own
// generator file, rebuilt from a few parameters. Written as one "0 TOLVO <kind>" line with the
// placement and the parameters, followed by the geometry flattened between "0 TOLVO SKIP_BEGIN"
// and "0 TOLVO SKIP_END" for programs that cannot build it; read back from the line alone.
#include <memory>
#include <string>

#include "model/GeneratorFile.h"
#include "model/QvElement.h"

class CTokenReader;

class CTlvGeneratedPart : public CQvElement {
 public:
  ~CTlvGeneratedPart() override;

  // The meta line, its prefixes ("0 GHOST ", "0 TOLVO HIDE ") and the flattened block.
  int Write(CTextHandler& out) override;
  // Always the flattened geometry: the generator file has no name another program could find.
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  int Describe(ElementDescription& out) const override;
  // The text after "0 TOLVO ": keyword, colour, position, matrix, parameters. 0 (nothing changed)
  // for a missing, unreadable or out-of-range field.
  int Parse(const std::string& text) override;
  int ParseIn(const ParseContext&, const std::string& text) override { return Parse(text); }
  int Edit(CQvFile& owner) override;
  // The generator file belongs to the element, never to a document.
  void ReleaseModelRef(const CQvFile*) override {}

  const CGeneratorFile& GetGeneratorFile() const { return *m_generated; }
  // Empties the file, builds the geometry from the parameters and measures it.
  void Rebuild();

 protected:
  explicit CTlvGeneratedPart(ElementType type);
  virtual const char* Keyword() const = 0;
  virtual const char* Text() const = 0;
  // The parameters as the meta line writes them, from the separator after the matrix on.
  virtual std::string FormatParams() const = 0;
  // Reads every parameter; false (nothing changed) when one is missing or outside its bounds.
  virtual bool ParseParams(CTokenReader& reader) = 0;
  virtual void BuildGeometry(CGeneratorFile& file) const = 0;
  // The class's dialog; true when it returned valid parameters, which are then taken.
  virtual bool EditParams() = 0;
  // Base fields, colour and placement into a clone of the same class.
  void CopyPlacement(CTlvGeneratedPart& clone) const;

 private:
  std::unique_ptr<CGeneratorFile> m_generated;
};
