#pragma once
// The numeric fields of one dialog and their exchange. While the dialog runs every exchange is
// lenient (the numeric prefix, never an error, so a preview can follow half-typed input); the OK
// handler sets strict, exchanges, clears strict, and refuses while HasInvalid reports a field.
#include <cstdint>
#include <vector>

#include "dialogs/EditCheckCtrl.h"

class CECController {
 public:
  virtual ~CECController() = default;

  void SetStrict(bool strict) { m_strict = strict; }
  bool IsStrict() const { return m_strict; }
  // The field joins the controller once; the dialog owns the window.
  CEditCheckCtrl* AttachEdit(CEditCheckCtrl* edit);
  CEditCheckCtrl* FindEdit(int controlId) const;
  // The dialog's own condition on a field; nothing for a field that is not attached.
  void SetValid(int controlId, bool valid);
  // Any attached field with a malformed text or a condition of false, read afresh.
  bool HasInvalid() const;

  // Loading fills the field; saving reads it, leniently or (strict) with the refusal message.
  bool ExchangeReal(CEditCheckCtrl* edit, bool save, double& value);
  bool ExchangeInt(CEditCheckCtrl* edit, bool save, int32_t& value);

 private:
  std::vector<CEditCheckCtrl*> m_controls;
  bool m_strict = false;
};
