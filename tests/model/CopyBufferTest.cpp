#include <gtest/gtest.h>

#include "ModelText.h"
#include "model/CopyBuffer.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"

namespace {

// A reference to a document model, as a sub-file reference holds one.
class CModelRef : public CQvPart {
 public:
  explicit CModelRef(const CQvFile* target, std::vector<int>* deleted = nullptr, int id = 0)
      : CQvPart(ElementType::Reference), model(target), m_deleted(deleted), m_id(id) {}
  ~CModelRef() override {
    if (m_deleted) m_deleted->push_back(m_id);
  }
  int Describe(ElementDescription& out) const override {
    DescribeFlags(out);
    out.text = model ? model->GetName() : "Unknown";  // reads the model: must never be freed memory
    return 1;
  }
  std::unique_ptr<CQvPart> Clone() const override {
    auto c = std::make_unique<CModelRef>(model, m_deleted, m_id);
    CopyBase(*c);
    return c;
  }
  void ReleaseModelRef(const CQvFile* m) override {
    if (!m || m == model) model = nullptr;
  }
  const CQvFile* model;

 private:
  std::vector<int>* m_deleted;
  int m_id;
};

class CopyBufferTest : public ::testing::Test {
 protected:
  void SetUp() override { CCopyBuffer::Destroy(); }
  void TearDown() override { CCopyBuffer::Destroy(); }
};

TEST_F(CopyBufferTest, EmptyBufferPastesNothing) {
  EXPECT_EQ(theCopyBuffer, nullptr);
  EXPECT_EQ(CCopyBuffer::IsEmpty(), 1);
  EXPECT_EQ(CCopyBuffer::GetNext(1), nullptr);
  EXPECT_NE(theCopyBuffer, nullptr);
}

TEST_F(CopyBufferTest, HundredAndFirstElementKeepsTheOrder) {
  for (int i = 0; i < 101; ++i)
    ASSERT_EQ(CCopyBuffer::Add(std::make_unique<CQvCommentPart>(std::to_string(i))), 1);
  EXPECT_EQ(CCopyBuffer::GetCount(), 101u);
  int i = 0;
  for (CQvPart* e = CCopyBuffer::GetNext(1); e; e = CCopyBuffer::GetNext(0), ++i)
    EXPECT_EQ(static_cast<CQvCommentPart*>(e)->GetText(), std::to_string(i));
  EXPECT_EQ(i, 101);
}

TEST_F(CopyBufferTest, ClearDeletesFromTheLast) {
  std::vector<int> deleted;
  for (int i = 0; i < 3; ++i) CCopyBuffer::Add(std::make_unique<CModelRef>(nullptr, &deleted, i));
  CCopyBuffer::Clear();
  EXPECT_EQ(deleted, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(CCopyBuffer::IsEmpty(), 1);
}

TEST_F(CopyBufferTest, PastesAfterTheModelItCameFromIsGone) {
  auto model = LoadText("0 Title\n0 BFC CERTIFY CCW\n0 BUFEXCHG C STORE\n");
  CCopyBuffer::Clear();
  for (size_t i = 0; i < model->GetCount(); ++i) CCopyBuffer::Add(model->GetAt(i)->Clone());
  model.reset();
  for (int round = 0; round < 2; ++round) {  // pasted twice: the buffer keeps its own copies
    CQvFile target;
    for (CQvPart* e = CCopyBuffer::GetNext(1); e; e = CCopyBuffer::GetNext(0)) target.Append(e->Clone());
    EXPECT_EQ(WriteText(target), std::string("0 Title\n") + kDefaultRotationLines +
                                     "0 BFC CERTIFY CCW\n0 BUFEXCHG C STORE\n0\n");
  }
}

TEST_F(CopyBufferTest, NeverPointsIntoARemovedModel) {
  auto sub = std::make_unique<CQvFile>();
  sub->SetName("wing.ldr");
  auto other = std::make_unique<CQvFile>();
  other->SetName("tail.ldr");
  CQvFile main;
  main.Append(std::make_unique<CModelRef>(sub.get()));
  main.Append(std::make_unique<CModelRef>(other.get()));
  main.SelectAll();
  CCopyBuffer::Clear();
  for (size_t i = 0; i < main.GetCount(); ++i) CCopyBuffer::Add(main.GetAt(i)->Clone());
  main.ReleaseModelRefs(sub.get());  // what removing a model does in its project
  sub.reset();
  auto* first = static_cast<CModelRef*>(CCopyBuffer::GetNext(1));
  auto* second = static_cast<CModelRef*>(CCopyBuffer::GetNext(0));
  EXPECT_EQ(first->model, nullptr);
  EXPECT_EQ(second->model, other.get());
  ElementDescription d;
  first->Describe(d);
  EXPECT_EQ(d.text, "Unknown");
  second->Describe(d);
  EXPECT_EQ(d.text, "tail.ldr");
  EXPECT_EQ(static_cast<CModelRef*>(main.GetAt(0))->model, nullptr);
}

}  // namespace
