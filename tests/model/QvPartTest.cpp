#include <gtest/gtest.h>

#include "model/ElementFactory.h"
#include "model/QvPart.h"
#include "model/SelectionGroup.h"
#include "model/TextHandler.h"

namespace {

// The smallest element class: keeps every base behaviour.
class CTestPart : public CQvPart {
 public:
  explicit CTestPart(ElementType t) : CQvPart(t) {}
  int Describe(ElementDescription& out) const override {
    DescribeFlags(out);
    return 1;
  }
  std::unique_ptr<CQvPart> Clone() const override {
    auto c = std::make_unique<CTestPart>(GetType());
    CopyBase(*c);
    return c;
  }
};

struct TypeCase {
  ElementType type;
  uint16_t code;
  bool linePrimitive, partLike;
};

TEST(Element, TypeCodeTable) {
  const TypeCase cases[] = {
      {ElementType::Step, 1, false, false},       {ElementType::Comment, 2, false, false},
      {ElementType::Reference, 3, false, true},   {ElementType::Line, 4, true, false},
      {ElementType::Triangle, 5, true, false},    {ElementType::Quad, 6, true, false},
      {ElementType::CondLine, 7, true, false},    {ElementType::RotStep, 10, false, false},
      {ElementType::RotStepEnd, 11, false, false}, {ElementType::Background, 12, false, false},
      {ElementType::Bfc, 13, false, false},       {ElementType::Clear, 14, false, false},
      {ElementType::BufExchg, 15, false, false},  {ElementType::Mesh, 16, false, false},
      {ElementType::RubberBelt, 100, false, true}, {ElementType::Spring, 101, false, true},
      {ElementType::Hose, 102, false, true},      {ElementType::ArrowPlate, 103, false, false},
      {ElementType::Group, 256, false, false},
  };
  for (const TypeCase& c : cases) {
    CTestPart p(c.type);
    EXPECT_EQ(p.GetTypeCode(), c.code);
    EXPECT_EQ(p.IsLinePrimitive(), c.linePrimitive) << c.code;
    EXPECT_EQ(p.IsPartLike(), c.partLike) << c.code;
    EXPECT_EQ(p.IsLineOrPart(), c.linePrimitive || c.partLike) << c.code;
  }
}

TEST(Element, NewElementHasNoColourAndNoFlags) {
  CTestPart p(ElementType::Comment);
  EXPECT_EQ(p.GetColor(), -1);
  EXPECT_FALSE(p.ghost || p.selected || p.stepBoundary || p.hidden || p.movable || p.stepContent);
  EXPECT_EQ(p.GetGroup(), nullptr);
}

TEST(Element, CloneKeepsFlagsButNeverSelectionOrGroup) {
  CSelectionGroup group("Wheels");
  CTestPart p(ElementType::Line);
  p.SetColor(4);
  p.ghost = p.selected = p.stepBoundary = p.hidden = p.movable = p.stepContent = true;
  p.SetGroup(&group);
  p.SetPendingGroupName("Wheels");
  auto c = p.Clone();
  EXPECT_EQ(c->GetType(), ElementType::Line);
  EXPECT_EQ(c->GetColor(), 4);
  EXPECT_TRUE(c->ghost && c->stepBoundary && c->hidden && c->movable && c->stepContent);
  EXPECT_FALSE(c->selected);
  EXPECT_EQ(c->GetGroup(), nullptr);
  EXPECT_EQ(c->GetPendingGroupName(), "");
}

TEST(Element, WriteAddsTheGroupLineExceptForTheGroupItself) {
  CSelectionGroup group("Hose 1/2");
  CTestPart member(ElementType::Reference);
  member.SetGroup(&group);
  CArrayTextHandler out;
  EXPECT_EQ(member.Write(out), 1);
  EXPECT_EQ(group.CQvPart::Write(out), 1);
  EXPECT_EQ(out.GetLines(), std::vector<std::string>{"0 TOLVO BTG Hose 1/2\n"});
}

TEST(Element, DescribeFlags) {
  CTestPart p(ElementType::Reference);
  ElementDescription d;
  p.hidden = true;
  p.ghost = true;
  p.Describe(d);
  EXPECT_EQ(d.typeFlags, 3u | kDescribeHidden | kDescribeGhost);
  EXPECT_EQ(d.text, "Hidden & Ghost");
}

TEST(ElementFactory, RegistrationReplacesAnEntryAndNullRemovesIt) {
  ElementCreator saved = CElementFactory::Register(ElementClass::Plate, [] {
    return std::unique_ptr<CQvPart>(std::make_unique<CTestPart>(ElementType::ArrowPlate));
  });
  auto p = CElementFactory::Create(ElementClass::Plate);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->GetType(), ElementType::ArrowPlate);
  CElementFactory::Register(ElementClass::Plate, nullptr);
  EXPECT_FALSE(CElementFactory::IsRegistered(ElementClass::Plate));
  EXPECT_EQ(CElementFactory::Create(ElementClass::Plate), nullptr);
  CElementFactory::Register(ElementClass::Plate, saved);
}

}  // namespace
