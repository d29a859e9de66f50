#pragma once
// What the five generated parts share: each is a sub-file reference whose file is its own
// generator file, rebuilt from a few parameters. Written as one "0 TOLVO <kind>" line with the
// placement and the parameters, followed by the geometry flattened between "0 TOLVO SKIP_BEGIN"
// and "0 TOLVO SKIP_END" for programs that cannot build it; read back from the line alone.
#include <memory>
#include <string>

#include "model/ElementEditor.h"
#include "model/GeneratorFile.h"
#include "model/GeneratorParams.h"
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
  // One parameter of the meta line, with its leading space: a real in its shortest form, an
  // integer, a colour number.
  static std::string PackReal(double v);
  static std::string PackInt(int32_t v);
  static std::string PackUInt(uint32_t v);

 private:
  std::unique_ptr<CGeneratorFile> m_generated;
};

// What each generated part does with its parameter set: keeps one, hands it to its dialog (the
// editor's member EditDialog), clones it, and packs it into the meta line and unpacks it from there.
// A set outside the bounds is never taken. Derived says how its set is packed and unpacked and
// how it is built.
template <class Derived, class Params, bool (IElementEditor::*EditDialog)(Params&)>
class CTlvParamPart : public CTlvGeneratedPart {
 public:
  std::unique_ptr<CQvPart> Clone() const override {
    auto clone = std::make_unique<Derived>();
    CopyPlacement(*clone);
    static_cast<CTlvParamPart&>(*clone).m_params = m_params;
    clone->Rebuild();
    return clone;
  }
  const Params& GetParams() const { return m_params; }
  // Takes the parameters and rebuilds; false (nothing changed) when they are outside the bounds.
  bool SetFromDialog(const Params& params) {
    if (!IsValid(params)) return false;
    m_params = params;
    Rebuild();
    return true;
  }

 protected:
  explicit CTlvParamPart(ElementType type) : CTlvGeneratedPart(type) {}
  // The parameters after the matrix, each with its leading space(s).
  virtual std::string PackParams(const Params& p) const = 0;
  // Reads the fields the meta line holds into p; false when one is missing.
  virtual bool UnpackParams(CTokenReader& reader, Params& p) const = 0;

  std::string FormatParams() const override { return PackParams(m_params); }
  bool ParseParams(CTokenReader& reader) override {
    Params p = m_params;  // a field the line does not hold (the plate's studs) keeps its value
    if (!UnpackParams(reader, p) || !IsValid(p)) return false;
    m_params = p;
    return true;
  }
  bool EditParams() override {
    Params p = m_params;
    if (!(TheElementEditor().*EditDialog)(p) || !IsValid(p)) return false;
    m_params = p;
    return true;
  }

  Params m_params;
};
