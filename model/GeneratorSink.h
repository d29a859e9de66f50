#pragma once
// Where the model generators put their parts. The model sink builds elements into a model file;
// tests record the placements instead.
#include <string>

#include "config/Geometry.h"
#include "model/QvPart.h"

class CQvFile;

class CGeneratorSink {
 public:
  virtual ~CGeneratorSink() = default;
  // True when the library has the part.
  virtual bool HasPart(const std::string& file) = 0;
  // Places the part with the minimum corner of its extent at corner; turned parts run their width
  // along z (turned a quarter about the vertical axis). false when it could not be placed.
  virtual bool PlacePart(const std::string& file, const CVector3& corner, ColorNumber color, bool turned) = 0;
  virtual void AddStep() = 0;
  // Drops everything placed so far (a failed build leaves nothing behind).
  virtual void Clear() = 0;
};

// Builds into a model file; parts are looked up in the part list.
class CModelGeneratorSink : public CGeneratorSink {
 public:
  explicit CModelGeneratorSink(CQvFile& target) : m_target(target) {}
  bool HasPart(const std::string& file) override;
  bool PlacePart(const std::string& file, const CVector3& corner, ColorNumber color, bool turned) override;
  void AddStep() override;
  void Clear() override;

 private:
  CQvFile& m_target;
};
