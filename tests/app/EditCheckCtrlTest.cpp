// The numeric field turns red while its text is no number of its type or the dialog refuses the
// value, and the controller reads it leniently while the dialog runs and strictly on OK.
#include <gtest/gtest.h>
#include <wx/dialog.h>

#include "GuiTest.h"
#include "dialogs/ECController.h"
#include "dialogs/EditCheckCtrl.h"
#include "support/ScriptedPrompt.h"

namespace {

TEST(EditCheckCtrl, TypingTurnsTheFieldRedAndBack) {
  REQUIRE_GUI();
  wxDialog dialog(nullptr, wxID_ANY, "Fields");
  CECController controller;
  auto* real = controller.AttachEdit(new CEditCheckCtrl(&dialog, 1001, NumberFieldType::Real));
  auto* whole = controller.AttachEdit(new CEditCheckCtrl(&dialog, 1002, NumberFieldType::Int));
  real->SetReal(12.5);
  whole->SetInt(3);
  EXPECT_FALSE(real->IsShownInvalid());
  EXPECT_FALSE(controller.HasInvalid());
  // SetValue sends the text event that typing sends.
  real->SetValue("12.5q");
  EXPECT_TRUE(real->IsShownInvalid());
  EXPECT_EQ(real->GetBackgroundColour(), wxColour(255, 0, 0));
  EXPECT_TRUE(controller.HasInvalid());
  real->SetValue("12.5 ");
  EXPECT_FALSE(real->IsShownInvalid());
  EXPECT_EQ(real->GetBackgroundColour(), wxColour(255, 255, 255));
  // The dialog's condition keeps a well-formed field red until it is lifted.
  controller.SetValid(1002, false);
  EXPECT_TRUE(whole->IsShownInvalid());
  EXPECT_TRUE(controller.HasInvalid());
  controller.SetValid(1002, true);
  EXPECT_FALSE(whole->IsShownInvalid());
  controller.SetValid(4711, false);  // not attached: nothing
  EXPECT_FALSE(controller.HasInvalid());
}

TEST(EditCheckCtrl, LenientWhileRunningStrictOnOk) {
  REQUIRE_GUI();
  CScriptedPrompt prompt;
  wxDialog dialog(nullptr, wxID_ANY, "Fields");
  CECController controller;
  auto* real = new CEditCheckCtrl(&dialog, 1001, NumberFieldType::Real);
  auto* whole = new CEditCheckCtrl(&dialog, 1002, NumberFieldType::Int);
  real->SetValue("12abc");
  whole->SetValue("12abc");
  double d = -1;
  int32_t i = -1;
  EXPECT_TRUE(controller.ExchangeReal(real, true, d));
  EXPECT_TRUE(controller.ExchangeInt(whole, true, i));
  EXPECT_EQ(d, 12);
  EXPECT_EQ(i, 12);
  EXPECT_TRUE(prompt.shown.empty());
  controller.SetStrict(true);
  EXPECT_FALSE(controller.ExchangeReal(real, true, d));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Please enter a number.");
  whole->SetValue("3000000000");
  EXPECT_FALSE(controller.ExchangeInt(whole, true, i));
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[1].text, "Please enter a number between -2147483648 and 2147483647.");
  whole->SetValue(" -7 ");
  EXPECT_TRUE(controller.ExchangeInt(whole, true, i));
  EXPECT_EQ(i, -7);
}

}  // namespace
