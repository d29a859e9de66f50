#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ModelText.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"

namespace {

// An element of any type with a box, counting how often it is asked for it.
class CBoxPart : public CQvPart {
 public:
  explicit CBoxPart(ElementType t = ElementType::Line, CVector3 a = {}, CVector3 b = {})
      : CQvPart(t), m_a(a), m_b(b) {}
  int Describe(ElementDescription& out) const override {
    DescribeFlags(out);
    return 1;
  }
  std::unique_ptr<CQvPart> Clone() const override {
    auto c = std::make_unique<CBoxPart>(GetType(), m_a, m_b);
    CopyBase(*c);
    return c;
  }
  void ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max,
                         int) override {
    ++calls;
    for (CVector3 p : {m_a, m_b}) {
      p = matrix * p + offset;
      min.Set(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
      max.Set(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
    }
  }
  int calls = 0;

 private:
  CVector3 m_a, m_b;
};

// Every invariant of the selection and the groups.
void CheckInvariants(const CQvFile& f) {
  const size_t n = f.GetCount();
  for (size_t i = 0; i < n; ++i) {
    const CQvPart* e = f.GetAt(i);
    size_t entries = 0;
    for (size_t p = 0; p < f.GetSelectedCount(); ++p) entries += f.GetSelected(p) == e ? 1 : 0;
    ASSERT_EQ(entries, e->selected ? 1u : 0u) << "element " << i;
    if (e->GetType() == ElementType::Group) {
      auto* g = static_cast<const CSelectionGroup*>(e);
      ASSERT_EQ(g->GetGroup(), g);
      for (CQvPart* m : g->GetMembers()) {
        ASSERT_GE(f.IndexOf(m), 0) << "member outside the list";
        ASSERT_EQ(m->GetGroup(), g);
      }
    } else if (CSelectionGroup* g = e->GetGroup()) {
      ASSERT_GE(f.IndexOf(g), 0) << "group outside the list";
      ASSERT_EQ(std::count(g->GetMembers().begin(), g->GetMembers().end(), e), 1);
    }
  }
  for (size_t p = 0; p < f.GetSelectedCount(); ++p) {
    const CQvPart* e = f.GetSelected(p);
    int32_t index = f.GetSelectedIndex(static_cast<int32_t>(p));
    ASSERT_GE(index, 0);
    ASSERT_EQ(f.GetAt(static_cast<size_t>(index)), e) << "stale index at entry " << p;
    ASSERT_TRUE(e->selected);
    if (CSelectionGroup* g = e->GetGroup()) {  // the group closure
      ASSERT_TRUE(g->selected);
      for (CQvPart* m : g->GetMembers()) ASSERT_TRUE(m->selected);
    }
  }
  std::vector<int32_t> order = f.GetSelectionOrder();
  ASSERT_EQ(order.size(), f.GetSelectedCount());
  for (size_t k = 1; k < order.size(); ++k)
    ASSERT_LT(f.GetSelectedIndex(order[k - 1]), f.GetSelectedIndex(order[k]));
  ASSERT_EQ(f.CountSelected(0), static_cast<int32_t>(f.GetSelectedCount()));
}

std::unique_ptr<CQvPart> RandomElement(std::mt19937& rng) {
  static const ElementType kTypes[] = {ElementType::Comment, ElementType::Line, ElementType::Reference,
                                       ElementType::Triangle, ElementType::Bfc};
  auto e = std::make_unique<CBoxPart>(kTypes[rng() % 5]);
  e->movable = rng() % 2;
  e->hidden = rng() % 7 == 0;
  return e;
}

TEST(SelectionProperty, RandomOperationsKeepEveryInvariant) {
  std::mt19937 rng(20261210);
  CQvFile f;
  for (int i = 0; i < 50; ++i) f.Append(RandomElement(rng));
  for (int step = 0; step < 5000; ++step) {
    const int32_t n = static_cast<int32_t>(f.GetCount());
    const int32_t index = static_cast<int32_t>(rng() % (n + 2)) - 1;  // -1 and n included
    const int op = static_cast<int>(rng() % 10);
    SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
    switch (op) {
      case 0:
      case 1: {
        bool wasSelected = index >= 0 && index < n && f.GetAt(static_cast<size_t>(index))->selected;
        size_t before = f.GetSelectedCount();
        int r = f.Select(index);
        if (wasSelected || index < 0 || index >= n) {
          EXPECT_EQ(r, 0);
          EXPECT_EQ(f.GetSelectedCount(), before);
        } else {
          EXPECT_EQ(r, 1);
        }
        break;
      }
      case 2:
        f.SelectOnly(index);
        break;
      case 3: {
        bool wasSelected = index >= 0 && index < n && f.GetAt(static_cast<size_t>(index))->selected;
        EXPECT_EQ(f.Deselect(index), wasSelected ? 1 : 0);
        if (wasSelected) {
          EXPECT_FALSE(f.GetAt(static_cast<size_t>(index))->selected);
        }
        break;
      }
      case 4:
        if (rng() % 8 == 0)
          f.SelectAll();
        else
          f.ClearSelection();
        break;
      case 5:
      case 6:
        f.InsertAt(static_cast<size_t>(std::max(index, 0)), RandomElement(rng));
        break;
      case 7:
        if (n > 10 && index >= 0) f.RemoveAt(static_cast<size_t>(index));
        break;
      case 8: {  // a new group of unselected, ungrouped elements, after its last member
        auto group = std::make_unique<CSelectionGroup>("G" + std::to_string(step));
        int32_t last = -1;
        for (int k = 0; k < 4 && n > 0; ++k) {
          int32_t i = static_cast<int32_t>(rng() % n);
          CQvPart* e = f.GetAt(static_cast<size_t>(i));
          if (e->selected || e->GetGroup()) continue;
          group->AddMember(e);
          last = std::max(last, i);
        }
        if (last >= 0) f.InsertAt(static_cast<size_t>(last + 1), std::move(group));
        break;
      }
      case 9:  // dissolve a group
        for (size_t i = 0; i < f.GetCount(); ++i)
          if (f.GetAt(i)->GetType() == ElementType::Group && rng() % 3 == 0) {
            f.RemoveAt(i);
            break;
          }
        break;
    }
    CheckInvariants(f);
    if (HasFatalFailure()) return;
  }
}

struct Fixture {
  CQvFile f;
  CSelectionGroup* group = nullptr;
  // 0 a, 1 member, 2 b, 3 member, 4 group
  Fixture() {
    for (int i = 0; i < 4; ++i) f.Append(std::make_unique<CBoxPart>());
    auto g = std::make_unique<CSelectionGroup>("Two");
    g->AddMember(f.GetAt(1));
    g->AddMember(f.GetAt(3));
    group = g.get();
    f.Append(std::move(g));
  }
};

TEST(Selection, SelectingAMemberOfATwoMemberGroupSelectsThree) {
  Fixture x;
  EXPECT_EQ(x.f.Select(3), 1);
  ASSERT_EQ(x.f.GetSelectedCount(), 3u);
  EXPECT_EQ(x.f.GetSelectedIndex(0), 3);
  EXPECT_EQ(x.f.GetSelectedIndex(1), 4);  // the group
  EXPECT_EQ(x.f.GetSelectedIndex(2), 1);  // the other member
  EXPECT_EQ(x.f.GetSelectedIndex(-1), 4);
  EXPECT_EQ(x.f.IsSelectionGrouped(1), 1);
  EXPECT_EQ(x.f.Select(1), 0);  // already selected
  EXPECT_EQ(x.f.GetSelectedCount(), 3u);
  EXPECT_EQ(x.f.Deselect(1), 1);  // deselects the whole group
  EXPECT_EQ(x.f.GetSelectedCount(), 0u);
}

TEST(Selection, SingleAndSpecialIndices) {
  Fixture x;
  EXPECT_EQ(x.f.GetSelectedIndex(-1), -1);
  EXPECT_EQ(x.f.GetSingleSelected(), nullptr);
  EXPECT_EQ(x.f.IsSelectionGrouped(0), 0);
  x.f.Select(2);
  EXPECT_EQ(x.f.GetSelectedIndex(-1), 2);
  EXPECT_EQ(x.f.GetSingleSelectedType(), 4);
  EXPECT_EQ(x.f.SelectOnly(2), 0);  // already the only one
  x.f.Select(0);
  EXPECT_EQ(x.f.GetSelectedIndex(-1), -1);
  EXPECT_EQ(x.f.GetSelectedIndex(5), -1);
  int32_t pos = 0, index = 0;
  EXPECT_EQ(x.f.GetLastSelected(pos, index), x.f.GetAt(2));
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(x.f.SelectOnly(-1), 0);
  EXPECT_EQ(x.f.GetSelectedCount(), 0u);
  EXPECT_EQ(x.f.GetLastSelected(pos, index), nullptr);
}

TEST(Selection, MovableAndCounting) {
  Fixture x;
  x.f.GetAt(2)->movable = true;
  x.f.GetAt(0)->hidden = true;
  x.f.SelectAll();
  EXPECT_EQ(x.f.GetSelectedCount(), 5u);
  EXPECT_EQ(x.f.GetSelectedMovable(0), x.f.GetAt(2));
  EXPECT_EQ(x.f.GetSelectedMovable(1), nullptr);
  EXPECT_EQ(x.f.CountSelected(1), 4);
  EXPECT_EQ(x.f.CountSelected(5), 1);
  EXPECT_EQ(x.f.CountSelected(7), 1);  // only the group can be edited here
  EXPECT_EQ(x.f.CountElements(8), 1);
  EXPECT_EQ(x.f.CountSelected(9), 0);
  EXPECT_EQ(x.f.CountElements(-1), 0);
}

TEST(Selection, RemovingAndInsertingKeepTheIndices) {
  Fixture x;
  x.f.Select(2);
  x.f.Select(3);
  x.f.InsertAt(0, std::make_unique<CBoxPart>());
  CheckInvariants(x.f);
  EXPECT_EQ(x.f.GetSelectedIndex(0), 3);
  auto removed = x.f.RemoveAt(5);  // the group: dissolved, its members stay selected
  EXPECT_EQ(removed.get(), x.group);
  EXPECT_EQ(x.f.GetAt(2)->GetGroup(), nullptr);
  CheckInvariants(x.f);
  EXPECT_EQ(x.f.GetSelectedCount(), 3u);
}

TEST(ModelFile, SetNameKeepsLDrawExtensions) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {{"model", "model.ldr"},
               {"MODEL.DAT", "MODEL.DAT"},
               {"a.Ldr", "a.Ldr"},
               {"picture.mpd", "picture.mpd.ldr"},
               {"dots.in.name", "dots.in.name.ldr"}};
  for (auto c : cases) {
    CQvFile f;
    f.SetName(c.in);
    EXPECT_EQ(f.GetName(), c.out);
  }
}

TEST(ModelFile, NameCommentTakesTheFileNameOnly) {
  auto f = LoadText("0 Title\n0 name: old.ldr\n0 Name: second.ldr\n");
  f->SetNameComment("C:\\models\\sub/new.ldr");
  EXPECT_EQ(WriteElement(*f->GetAt(1)), "0 Name: new.ldr\n");
  EXPECT_EQ(WriteElement(*f->GetAt(2)), "0 Name: second.ldr\n");
}

TEST(ModelFile, DescriptionIsTheLeadingPlainComment) {
  CQvFile f;
  f.SetName("car");
  EXPECT_EQ(f.GetDescription(), "car.ldr");
  f.Append(std::make_unique<CBoxPart>());
  f.Select(0);
  EXPECT_EQ(f.SetDescription("A car"), 1);
  EXPECT_EQ(f.GetCount(), 2u);
  EXPECT_EQ(f.GetDescription(), "A car");
  EXPECT_EQ(f.GetSelectedIndex(0), 1);
  f.SetDescription("A red car");
  EXPECT_EQ(f.GetCount(), 2u);
  EXPECT_EQ(f.GetDescription(), "A red car");
}

TEST(ModelFile, ExtentOfAnEmptyFileIsNegative) {
  CQvFile f;
  f.UpdateExtent();
  EXPECT_EQ(f.GetSize(), CVector3(-2e200, -2e200, -2e200));
  EXPECT_EQ(f.GetCenter(), CVector3());
}

TEST(ModelFile, ExtentAndCorners) {
  CQvFile f;
  f.Append(std::make_unique<CBoxPart>(ElementType::Line, CVector3(-10, 0, 2), CVector3(10, -24, 4)));
  auto ghost = std::make_unique<CBoxPart>(ElementType::Line, CVector3(100, 100, 100), CVector3());
  ghost->ghost = true;
  f.Append(std::move(ghost));
  f.UpdateExtent();
  EXPECT_EQ(f.GetSize(), CVector3(20, 24, 2));
  EXPECT_EQ(f.GetCenter(), CVector3(0, -12, 3));
  EXPECT_EQ(f.GetCorner(0), CVector3(-10, -24, 2));
  EXPECT_EQ(f.GetCorner(2), CVector3(10, -24, 4));
  EXPECT_EQ(f.GetCorner(6), CVector3(10, 0, 4));
  EXPECT_EQ(f.GetCorner(7), CVector3(-10, 0, 4));
}

TEST(ModelFile, LibraryPartBoxIsWalkedOncePerMatrix) {
  CQvFile part;
  part.libraryFile = true;
  part.Append(std::make_unique<CBoxPart>(ElementType::Line, CVector3(0, 0, 0), CVector3(20, 24, 20)));
  auto* spy = static_cast<CBoxPart*>(part.GetAt(0));
  CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
  part.ExtendBoundingBox(CVector3(0, 0, 0), CMatrix3::Identity(), lo, hi, 0);
  part.ExtendBoundingBox(CVector3(100, 0, 0), CMatrix3::Identity(), lo, hi, 0);
  EXPECT_EQ(spy->calls, 1);
  EXPECT_EQ(lo, CVector3(0, 0, 0));
  EXPECT_EQ(hi, CVector3(120, 24, 20));
  CMatrix3 turned(-1, 0, 0, 0, 1, 0, 0, 0, -1);
  part.ExtendBoundingBox(CVector3(), turned, lo, hi, 0);
  EXPECT_EQ(spy->calls, 2);
  EXPECT_EQ(lo, CVector3(-20, 0, -20));
}

TEST(ModelFile, GroupNamesExceptOne) {
  auto f = LoadText("0 TOLVO BTG A\n0 x\n0 GROUP 1 A\n0 TOLVO BTG B\n0 y\n0 GROUP 1 B\n");
  auto* a = dynamic_cast<CSelectionGroup*>(f->GetAt(1));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(f->GetGroupNames(a), std::vector<std::string>{"B"});
  EXPECT_EQ(f->GetGroupNames(nullptr), (std::vector<std::string>{"A", "B"}));
}

TEST(ModelFile, RemoveAllEmptiesAndResetsRotationPoints) {
  auto f = LoadText("0 ROTATION CENTER 1 2 3 1 \"p\"\n0 CLEAR\n");
  f->SelectAll();
  f->RemoveAll();
  EXPECT_EQ(f->GetCount(), 0u);
  EXPECT_EQ(f->GetSelectedCount(), 0u);
  EXPECT_TRUE(f->GetRotationPoints().IsDefaultList());
}

}  // namespace
