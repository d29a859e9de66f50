#include <gtest/gtest.h>

#include "ModelText.h"
#include "config/PathResolver.h"
#include "config/Tracer.h"
#include "model/ElementFactory.h"
#include "model/ModelLineReader.h"
#include "model/QvBfc.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"
#include "support/ScriptedPrompt.h"
#include "support/LogCapture.h"
#include "support/TestData.h"

namespace {

constexpr uint16_t kNoType = 0;  // the class may be added later: the type is not checked

struct LineCase {
  const char* line;
  int ok;               // ParseLine's result
  size_t elements;      // elements made
  uint16_t type;        // type code of the element, kNoType: any
  const char* written;  // what the element writes back
};

// One line each, as the reader hands it over (trimmed). Expected texts are the line syntax the
// reader and the element classes define.
const LineCase kLines[] = {
    {"0 Name: 3001.dat", 1, 1, 2, "0 Name: 3001.dat\n"},
    {"0    several blanks", 1, 1, 2, "0 several blanks\n"},
    {"0\tTab", 1, 1, 2, "0 Tab\n"},
    {"0 WRITE hello there", 1, 1, 2, "0 WRITE hello there\n"},
    {"0", 1, 1, 2, "0 \n"},
    {"0 \t ", 1, 0, 0, ""},
    {"Hello world", 1, 0, 0, ""},
    {"# not ldraw", 1, 0, 0, ""},
    {"7 1 2 3", 0, 0, 0, ""},
    {"6", 0, 0, 0, ""},
    {"9 x", 0, 0, 0, ""},
    {"0x", 0, 0, 0, ""},
    {"12 16 0 0 0", 0, 0, 0, ""},
    {"0 BFC CERTIFY CCW", 1, 1, 13, "0 BFC CERTIFY CCW\n"},
    {"0 BFC CERTIFY CW", 1, 1, 13, "0 BFC CERTIFY CW\n"},
    {"0 BFC CCW", 1, 1, 13, "0 BFC CCW\n"},
    {"0 BFC certify ccw", 1, 1, 13, "0 BFC certify ccw\n"},
    {"0 BFC NOCERTIFY CLIP", 1, 1, 13, "0 BFC NOCERTIFY CLIP\n"},
    {"0 BFC INVERTNEXT", 1, 1, 13, "0 BFC INVERTNEXT\n"},
    {"0 BFC NOCLIP", 1, 1, 13, "0 BFC NOCLIP\n"},
    {"0 BFC CLIP CW INVERTNEXT", 1, 1, 13, "0 BFC CLIP CW INVERTNEXT\n"},
    {"0 BFC NOWIND", 1, 1, 13, "0 BFC NOWIND\n"},
    {"0 BFC CCW   CERTIFY", 1, 1, 13, "0 BFC CCW CERTIFY\n"},
    {"0 BFC CW CCW", 0, 0, 0, ""},
    {"0 BFC INVERTNEXT INVERTNEXT", 0, 0, 0, ""},
    {"0 BFC CLIP NOCLIP", 0, 0, 0, ""},
    {"0 BFC SOMETIMES", 0, 0, 0, ""},
    {"0 BACKGROUND \"my picture.bmp\"", 1, 1, 12, "0 BACKGROUND \"my picture.bmp\"\n"},
    {"0 BACKGROUND my picture.bmp", 1, 1, 12, "0 BACKGROUND \"my\"\n"},
    {"0 BACKGROUND \"open ended", 1, 1, 12, "0 BACKGROUND \"open ended\"\n"},
    {"0 BACKGROUND", 1, 1, 12, "0 BACKGROUND \"\"\n"},
    {"0 BACKGROUNDS", 1, 1, 2, "0 BACKGROUNDS\n"},
    {"0 BACKGROUND sky\"blue.bmp", 1, 1, 12, "0 BACKGROUND sky\"blue.bmp\n"},
    {"0 CLEAR", 1, 1, 14, "0 CLEAR\n"},
    {"0 CLEAR now", 1, 1, 14, "0 CLEAR\n"},
    {"0 CLEARX", 1, 1, 2, "0 CLEARX\n"},
    {"0 BUFEXCHG A STORE", 1, 1, 15, "0 BUFEXCHG A STORE\n"},
    {"0 BUFEXCHG z RETRIEVE", 1, 1, 15, "0 BUFEXCHG Z RETRIEVE\n"},
    {"0 BUFEXCHG A store", 0, 0, 0, ""},
    {"0 BUFEXCHG 1 STORE", 0, 0, 0, ""},
    {"0 BUFEXCHG A", 0, 0, 0, ""},
    {"0 BUFEXCHG AB STORE", 0, 0, 0, ""},
    {"0 GROUP 2 Wheels", 1, 1, 256, "0 GROUP 2 Wheels\n"},  // no member here: kept as read
    {"0 GROUP 0 Wheels", 0, 0, 0, ""},
    {"0 GROUP Wheels", 0, 0, 0, ""},
    {"0 GROUP 99999999999999 Wheels", 0, 0, 0, ""},
    {"0 ROTATION CENTER 1 2 3 0 \"P\"", 1, 0, 0, ""},
    {"0 ROTATION AXIS 1 0 0", 1, 0, 0, ""},
    {"0 ROTATION SPIN", 0, 0, 0, ""},
    {"0 ROTATION CENTER 1 2 \"too few\"", 0, 0, 0, ""},
    {"0 ROTATION CONFIG 7 1", 0, 0, 0, ""},
    {"0 TOLVO BTG Hose 1", 1, 0, 0, ""},
    {"0 TOLVO BTG", 0, 0, 0, ""},
    {"0 TOLVO BTG  ", 0, 0, 0, ""},
    {"0 TOLVO", 1, 1, 2, "0 TOLVO\n"},
    {"0 TOLVO UNKNOWN_THING 1 2", 1, 0, 0, ""},
    {"0 TOLVO HIDE", 1, 0, 0, ""},
    {"0 TOLVO HIDE 0 BFC CERTIFY", 1, 1, 13, "0 BFC CERTIFY\n"},
    {"0 GHOST 0 CLEAR", 1, 1, 14, "0 CLEAR\n"},
    {"0 GHOST    0 CLEAR", 1, 1, 14, "0 CLEAR\n"},
    {"0 GHOST 7", 0, 0, 0, ""},
    // Lines of classes that other parts of the model bring; the text stays the same either way.
    {"0 STEP", 1, 1, kNoType, "0 STEP\n"},
    {"1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat", 1, 1, kNoType, "1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n"},
    {"2 24 0 0 0 1 1 1", 1, 1, kNoType, "2 24 0 0 0 1 1 1\n"},
    {"3 4 0 0 0 1 0 0 0 1 0", 1, 1, kNoType, "3 4 0 0 0 1 0 0 0 1 0\n"},
    {"4 4 0 0 0 1 0 0 1 1 0 0 1 0", 1, 1, kNoType, "4 4 0 0 0 1 0 0 1 1 0 0 1 0\n"},
    {"5 24 0 0 0 1 0 0 0 1 0 0 0 1", 1, 1, kNoType, "5 24 0 0 0 1 0 0 0 1 0 0 0 1\n"},
    {"0 GHOST 1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat", 1, 1, kNoType,
     "0 GHOST 1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n"},
    {"0 TOLVO HIDE 2 24 0 0 0 1 1 1", 1, 1, kNoType, "0 TOLVO HIDE 2 24 0 0 0 1 1 1\n"},
};

TEST(Reader, MetaCommandTable) {
  for (const LineCase& c : kLines) {
    CQvFile file;
    ParseContext ctx;
    std::string line = c.line;
    EXPECT_EQ(file.ParseLine(ctx, line, 0), c.ok) << c.line;
    ASSERT_EQ(file.GetCount(), c.elements) << c.line;
    if (c.elements == 0) continue;
    if (c.type != kNoType) {
      EXPECT_EQ(file.GetAt(0)->GetTypeCode(), c.type) << c.line;
    }
    EXPECT_EQ(WriteElement(*file.GetAt(0)), c.written) << c.line;
  }
}

TEST(Reader, GhostAndHideSetTheirFlags) {
  CQvFile file;
  ParseContext ctx;
  ASSERT_EQ(file.ParseLine(ctx, "0 GHOST   0 TOLVO HIDE 0 BFC CERTIFY", 0), 1);
  ASSERT_EQ(file.GetCount(), 1u);
  EXPECT_TRUE(file.GetAt(0)->ghost);
  EXPECT_TRUE(file.GetAt(0)->hidden);
}

TEST(Reader, HideHidesOnlyTheElementItsOwnLineMade) {
  auto file = LoadText(
      "0 first comment\n"
      "0 TOLVO HIDE 0 ROTATION CENTER 1 2 3 1 \"x\"\n"
      "0 TOLVO HIDE 0 TOLVO BTG Wheels\n"
      "0 TOLVO HIDE Not an LDraw line\n"
      "0 TOLVO HIDE 0 TOLVO UNKNOWN_COMMAND\n");
  ASSERT_GE(file->GetCount(), 1u);
  EXPECT_FALSE(file->GetAt(0)->hidden);
  for (size_t i = 0; i < file->GetCount(); ++i) EXPECT_FALSE(file->GetAt(i)->hidden) << i;
}

TEST(Reader, HideOnAnEmptyListHidesNothing) {
  CQvFile file;
  ParseContext ctx;
  EXPECT_EQ(file.ParseLine(ctx, "0 TOLVO HIDE 0 ROTATION AXIS", 0), 1);
  EXPECT_EQ(file.ParseLine(ctx, "0 TOLVO HIDE x", 0), 1);
  EXPECT_EQ(file.GetCount(), 0u);
}

TEST(Reader, ByteOrderMarkIsNotPartOfTheFirstLine) {
  auto file = LoadText(
      "\xEF\xBB\xBF"
      "0 My model\n0 BFC CERTIFY CCW\n");
  ASSERT_EQ(file->GetCount(), 2u);
  EXPECT_EQ(file->GetDescription(), "My model");
  // The same through an in-memory source.
  CArrayTextHandler in;
  in.WriteString(
      "\xEF\xBB\xBF"
      "0 My model\n");
  CQvFile again;
  ASSERT_EQ(again.ReadFrom(in, "mem.ldr", 0), 1);
  EXPECT_EQ(again.GetDescription(), "My model");
}

TEST(Reader, CrlfLinesReadLikeLfLines) {
  auto file = LoadText("0 Title\r\n0 BFC CERTIFY CW\r\n0 BUFEXCHG B STORE\r\n");
  EXPECT_EQ(WriteText(*file),
            std::string("0 Title\n") + kDefaultRotationLines + "0 BFC CERTIFY CW\n0 BUFEXCHG B STORE\n0\n");
}

class ReaderLogTest : public CLogCaptureTest {
 protected:
  CScriptedPrompt prompt;
};

// A line longer than the handler's pieces is read whole: nothing is lost, and its tail never reads
// as a line of its own (here it would be a complete type 1 line).
TEST_F(ReaderLogTest, LongLineIsReadWholeWithoutASpuriousElement) {
  const std::string longLine = "0 " + std::string(508, 'a') + "1 16 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat";
  const std::string longName(3000, 'n');
  const std::string longReference = "1 4 0 0 0 1 0 0 0 1 0 0 0 1 " + longName + ".dat";
  CQvFile file;
  ASSERT_EQ(ReadText(file, "0 first\n" + longLine + "\n" + longReference + "\n0 BFC CERTIFY CCW\n", 1), 1);
  ASSERT_EQ(file.GetCount(), 4u);
  EXPECT_EQ(WriteElement(*file.GetAt(1)), longLine + "\n");
  EXPECT_EQ(file.GetAt(2)->GetType(), ElementType::Reference);
  EXPECT_EQ(WriteElement(*file.GetAt(3)), "0 BFC CERTIFY CCW\n");
  EXPECT_EQ(Log().find("ERROR: In file"), std::string::npos) << Log();
  EXPECT_NE(WriteText(file).find(longReference + "\n"), std::string::npos);
}

// Beyond the bound a line is no model line, but it is kept and written back as read, and the
// user learns which line of which file it is.
TEST_F(ReaderLogTest, LineBeyondTheBoundIsKeptAsReadAndReported) {
  const std::string huge = "1 4 0 0 0 1 0 0 0 1 0 0 0 1 " + std::string(kMaxModelLineLength, 'x') + ".dat";
  const std::string text = "0 first\n" + huge + "\n0 STEP\n" + huge + "\n";
  CQvFile file;
  ASSERT_EQ(ReadText(file, text, 1, "big.ldr"), 1);
  ASSERT_EQ(file.GetCount(), 4u);
  EXPECT_TRUE(WriteElement(*file.GetAt(1)) == huge + "\n");
  EXPECT_TRUE(WriteElement(*file.GetAt(3)) == huge + "\n");
  ASSERT_EQ(prompt.shown.size(), 1u) << "one message per file";
  EXPECT_EQ(prompt.shown[0].text, "Line 2 of big.ldr is longer than 65536 characters.\n"
                                  "It is kept and written back as it is, but not read as a model line.");
  EXPECT_NE(Log().find("big.ldr line 2 is longer"), std::string::npos) << Log();
  EXPECT_NE(Log().find("big.ldr line 4 is longer"), std::string::npos) << Log();
  // Read again, the written text is the same text.
  const std::string written = WriteText(file);
  CQvFile again;
  ASSERT_EQ(ReadText(again, written, 0, "big.ldr"), 1);
  again.ResolveGroups();
  EXPECT_TRUE(WriteText(again) == written);
}

TEST_F(ReaderLogTest, LineOfExactly510CharactersIsWhole) {
  std::string line = "0 " + std::string(508, 'b');
  CQvFile file;
  ASSERT_EQ(ReadText(file, line + "\r\n" + line + "\n" + line, 1), 1);
  EXPECT_EQ(file.GetCount(), 3u);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(WriteElement(*file.GetAt(2)), line + "\n");
}

TEST_F(ReaderLogTest, WithWarningsOffEveryBadLineIsLoggedAndReadingGoesOn) {
  CQvFile file;
  ASSERT_EQ(ReadText(file, "7 x\n0 ok\n\n8 y\n0 BFC CW CCW\n0 end\n", 0), 1);
  EXPECT_EQ(file.GetCount(), 2u);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(Log(),
            "ERROR: In file test.ldr at line 1!\n"
            "ERROR: In file test.ldr at line 4!\n"
            "ERROR: In file test.ldr at line 5!\n");
}

TEST_F(ReaderLogTest, FirstBadLineAsksOnceYesGoesOn) {
  prompt.Answer(PromptAnswer::Yes);
  CQvFile file;
  EXPECT_EQ(ReadText(file, "0 a\n7 x\n0 b\n8 y\n0 c\n", 1), 1);
  EXPECT_EQ(file.GetCount(), 3u);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
}

TEST_F(ReaderLogTest, NoStopsLoadingAndKeepsWhatWasRead) {
  prompt.Answer(PromptAnswer::No);
  CQvFile file;
  EXPECT_EQ(ReadText(file, "0 a\n0 b\n7 x\n0 c\n", 1), 0);
  EXPECT_EQ(file.GetCount(), 2u);
  EXPECT_TRUE(theFilesInProgress.empty());
}

TEST(Reader, MalformedRotationCenterKeepsTheDefaultPoint) {
  CQvFile file;
  ReadText(file, "0 ROTATION CENTER 1 2 \"broken\"\n0 ROTATION CONFIG 0 0\n");
  ASSERT_EQ(file.GetRotationPoints().GetPoints().size(), 1u);
  EXPECT_EQ(file.GetRotationPoints().GetPoints()[0].name, "Custom");
  EXPECT_EQ(file.GetRotationPoints().IsPointMovable(), 1);
}

TEST(Reader, RotationLinesReplaceTheDefaultAndAreWrittenBack) {
  const std::string text =
      "0 Shuttle\n"
      "0 ROTATION CENTER 0 0 0 1 \"Custom\"\n"
      "0 ROTATION CENTER 10 -8.5 20 0 \"Hinge point\" \n"
      "0 ROTATION CONFIG 2 1\n"
      "0 BFC CERTIFY CCW\n";
  auto file = LoadText(text);
  EXPECT_EQ(file->GetRotationPoints().mode, 5);
  EXPECT_EQ(WriteText(*file),
            "0 Shuttle\n"
            "0 ROTATION CENTER 0 0 0 1 \"Custom\" \n"
            "0 ROTATION CENTER 10 -8.5 20 0 \"Hinge point\" \n"
            "0 ROTATION CONFIG 2 1\n"
            "0 BFC CERTIFY CCW\n"
            "0\n");
}

TEST(Writer, HeaderGoesBeforeTheFirstElementThatIsNoComment) {
  auto file = LoadText("0 Title\n0 Name: a.ldr\n0 CLEAR\n0 After\n");
  EXPECT_EQ(WriteText(*file),
            std::string("0 Title\n0 Name: a.ldr\n") + kDefaultRotationLines + "0 CLEAR\n0 After\n0\n");
}

TEST(Writer, FileOfCommentsOnlyStillGetsItsRotationPoints) {
  auto file = LoadText("0 Only a comment\n0 ROTATION CENTER 5 6 7 1 \"Mine\"\n");
  EXPECT_EQ(WriteText(*file),
            "0 Only a comment\n0 ROTATION CENTER 5 6 7 1 \"Mine\" \n0 ROTATION CONFIG 0 0\n0\n");
  CQvFile empty;
  EXPECT_EQ(WriteText(empty), std::string(kDefaultRotationLines) + "0\n");
}

TEST(Reader, TrailingZeroIsDroppedAfterTheReadAndWrittenOnce) {
  auto file = LoadText("0 Title\n0\n0 BFC CERTIFY CCW\n0\n");
  ASSERT_EQ(file->GetCount(), 3u);  // the inner "0" stays
  EXPECT_EQ(WriteText(*file),
            std::string("0 Title\n0 \n") + kDefaultRotationLines + "0 BFC CERTIFY CCW\n0\n");
}

// A sink that fails from the nth write on.
class CFailingSink : public CTextHandler {
 public:
  explicit CFailingSink(int okWrites) : CTextHandler(1), m_left(okWrites) {}
  bool ReadLine(std::string&, size_t) override { return false; }
  void Rewind() override {}
  int WriteString(const std::string&) override { return m_left-- > 0 ? 1 : 0; }
  int Close() override { return 1; }
  int OpenForWrite(const std::string&) override { return 1; }

 private:
  int m_left;
};

TEST(Writer, ReportsAFailedWriteWhereverItHappens) {
  auto file = LoadText("0 Title\n0 BFC CERTIFY CCW\n0 CLEAR\n");
  CArrayTextHandler all;
  ASSERT_EQ(file->WriteTo(all), 1);
  int writes = static_cast<int>(all.GetLines().size());
  for (int ok = 0; ok < writes; ++ok) {
    CFailingSink sink(ok);
    EXPECT_EQ(file->WriteTo(sink), 0) << "failing at write " << ok;
  }
  CFailingSink enough(writes);
  EXPECT_EQ(file->WriteTo(enough), 1);
}

TEST(Writer, FullDeviceIsAFailedWrite) {
  FILE* full = std::fopen("/dev/full", "w");
  if (!full) GTEST_SKIP() << "no /dev/full";
  std::setvbuf(full, nullptr, _IONBF, 0);
  auto file = LoadText("0 Title\n");
  {
    CFileTextHandler out(full);
    EXPECT_EQ(file->WriteTo(out), 0);
  }
  std::fclose(full);
}

TEST(Writer, SavingThroughTheFileSinkReplacesTheFileOnlyOnSuccess) {
  CScratchDir dir;
  std::string path = dir / "model.ldr";
  ASSERT_TRUE(WriteFileBytes(path, "old"));
  auto file = LoadText("0 New\n");
  CFileTextHandler out;
  ASSERT_EQ(out.OpenForWrite(path), 1);
  ASSERT_EQ(file->WriteTo(out), 1);
  EXPECT_EQ(ReadFileBytes(path), "old");  // not before the close
  ASSERT_EQ(out.Close(), 1);
  EXPECT_EQ(ReadFileBytes(path), std::string("0 New\n") + kDefaultRotationLines + "0\n");
}

TEST(Groups, MembersJoinTheirGroupAndAreWrittenWithTheirNames) {
  const std::string text =
      "0 Title\n"
      "0 TOLVO BTG Hose 1/2\n"
      "0 BFC CERTIFY CCW\n"
      "0 TOLVO BTG Hose 1/2\n"
      "0 CLEAR\n"
      "0 GROUP 2 Hose 1/2\n";
  auto file = LoadText(text);
  ASSERT_EQ(file->GetCount(), 4u);
  auto* group = dynamic_cast<CSelectionGroup*>(file->GetAt(3));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetName(), "Hose 1/2");
  ASSERT_EQ(group->GetMembers().size(), 2u);
  EXPECT_EQ(group->GetMembers()[0], file->GetAt(1));
  EXPECT_EQ(file->GetAt(2)->GetGroup(), group);
  EXPECT_EQ(WriteText(*file), "0 Title\n" + std::string(kDefaultRotationLines) +
                                  "0 TOLVO BTG Hose 1/2\n0 BFC CERTIFY CCW\n"
                                  "0 TOLVO BTG Hose 1/2\n0 CLEAR\n0 GROUP 2 Hose 1/2\n0\n");
}

TEST(Groups, TwoGroupsOfOneNameFillTheFirstAndTheSecondIsKeptEmpty) {
  auto file = LoadText("0 GROUP 1 G\n0 TOLVO BTG G\n0 CLEAR\n0 GROUP 1 G\n0 TOLVO BTG Nobody\n0 CLEAR\n");
  auto* first = dynamic_cast<CSelectionGroup*>(file->GetAt(0));
  auto* second = dynamic_cast<CSelectionGroup*>(file->GetAt(2));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetMembers().size(), 1u);
  EXPECT_TRUE(second->GetMembers().empty());
  EXPECT_EQ(file->GetAt(3)->GetGroup(), nullptr);  // its name matches no group
  EXPECT_EQ(WriteText(*file), std::string(kDefaultRotationLines) +
                                  "0 GROUP 1 G\n0 TOLVO BTG G\n0 CLEAR\n0 GROUP 1 G\n0 TOLVO BTG Nobody\n0 CLEAR\n0\n");
}

TEST(Groups, AGroupNeverJoinsAnotherGroup) {
  auto file = LoadText("0 TOLVO BTG Outer\n0 GROUP 1 Inner\n0 TOLVO BTG Outer\n0 CLEAR\n0 GROUP 1 Outer\n");
  auto* inner = dynamic_cast<CSelectionGroup*>(file->GetAt(0));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->GetGroup(), inner);
  file->SelectAll();  // must not loop or break the selection
  EXPECT_EQ(file->GetSelectedCount(), file->GetCount());
}

// A stand-in generated part: its line is kept, the geometry after it is made again.
class CFakeSpring : public CQvPart {
 public:
  CFakeSpring() : CQvPart(ElementType::Spring) {}
  int Parse(const std::string& line) override {
    m_text = line;
    return line.find("bad") == std::string::npos ? 1 : 0;
  }
  int Write(CTextHandler& out) override {
    return CQvPart::Write(out) && out.WriteString("0 TOLVO " + m_text + "\n") &&
           out.WriteString("0 TOLVO SKIP_BEGIN\n0 TOLVO SKIP_END\n");
  }
  int Describe(ElementDescription& out) const override {
    DescribeFlags(out);
    return 1;
  }
  std::unique_ptr<CQvPart> Clone() const override { return nullptr; }

 private:
  std::string m_text;
};

TEST(Reader, SkipBlockIsIgnoredWhenGeneratedPartsAreBuilt) {
  ElementCreator old = CElementFactory::Register(ElementClass::Spring,
                                                 [] { return std::unique_ptr<CQvPart>(new CFakeSpring); });
  auto file = LoadText(
      "0 TOLVO SPRING 1 2 3\n0 TOLVO SKIP_BEGIN\n0 BFC CERTIFY\n0 TOLVO SKIP_BEGIN\n7 junk\n"
      "0 TOLVO SKIP_END\n0 CLEAR\n");
  CQvFile bad;
  ParseContext ctx;
  EXPECT_EQ(bad.ParseLine(ctx, "0 TOLVO SPRING bad", 0), 0);
  CElementFactory::Register(ElementClass::Spring, old);
  ASSERT_EQ(file->GetCount(), 2u);
  EXPECT_EQ(file->GetAt(0)->GetTypeCode(), 101);
  EXPECT_EQ(file->GetAt(1)->GetTypeCode(), 14);
}

TEST(Reader, LinesOfClassesNotBuiltAreKeptWordForWord) {
  // Meta commands this program has no class for are comments: read and written back with every
  // word, blank, tab and quote between the first word and the end of the line as they were.
  const std::string metas =
      "0 !FANCYTOOL SETTING alpha  beta\tgamma\n"
      "0 FANCYTOOL PATH \"C:\\My Models\\x.ldr\"   7 -0.50 1e3\n"
      "0 !FANCYTOOL\n";
  auto file = LoadText("0 Title\n" + metas + "2 24 0 0 0 1 1 1\n");
  ASSERT_EQ(file->GetCount(), 5u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(file->GetAt(i)->GetType(), ElementType::Comment) << i;
  EXPECT_EQ(WriteText(*file),
            "0 Title\n" + metas + std::string(kDefaultRotationLines) + "2 24 0 0 0 1 1 1\n0\n");
}

// A reference that reads the file it names, as the library loader does for sub-files.
std::string theNestedFolder;
class CReadingReference : public CQvPart {
 public:
  CReadingReference() : CQvPart(ElementType::Reference) {}
  int Parse(const std::string& line) override {
    std::string name = line.substr(line.rfind(' ') + 1);
    CFileTextHandler in;
    if (!in.Open(thePathResolver.Resolve(theNestedFolder, name), "r")) return 0;
    m_file = std::make_unique<CQvFile>();
    m_read = m_file->ReadFrom(in, theNestedFolder + name, 0);
    return m_read;
  }
  int Describe(ElementDescription& out) const override {
    DescribeFlags(out);
    return 1;
  }
  std::unique_ptr<CQvPart> Clone() const override { return nullptr; }
  std::unique_ptr<CQvFile> m_file;
  int m_read = -1;
};

TEST(Reader, FileThatIncludesItselfIsRefusedAndTheOuterReadGoesOn) {
  CScratchDir dir;
  CScriptedPrompt prompt;
  theNestedFolder = dir.Path();
  // The file names itself in other letter cases: the guard knows it is the same file.
  ASSERT_TRUE(
      WriteFileBytes(dir / "self.dat", "0 Self\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 SELF.DAT\n0 BFC CERTIFY CCW\n"));
  ElementCreator old = CElementFactory::Register(
      ElementClass::Reference, [] { return std::unique_ptr<CQvPart>(new CReadingReference); });
  CQvFile outer;
  CFileTextHandler in;
  ASSERT_EQ(in.Open(dir / "self.dat", "r"), 1);
  EXPECT_EQ(outer.ReadFrom(in, dir / "self.dat", 0), 1);
  CElementFactory::Register(ElementClass::Reference, old);
  ASSERT_EQ(outer.GetCount(), 3u);
  auto* ref = static_cast<CReadingReference*>(outer.GetAt(1));
  ASSERT_NE(ref->m_file, nullptr);
  EXPECT_EQ(ref->m_read, 0);  // the nested read of the same file is refused
  EXPECT_EQ(ref->m_file->GetCount(), 0u);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("ERROR: Recursion of "), std::string::npos);
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Stop);
  EXPECT_TRUE(theFilesInProgress.empty());
}

}  // namespace

namespace {
TEST(Writer, GroupWithoutMembersIsKeptAndDoesNotMoveTheHeader) {
  auto file = LoadText("0 GROUP 1 Empty\n0 a comment\n0 CLEAR\n");
  const std::string expected = std::string(kDefaultRotationLines) + "0 GROUP 1 Empty\n0 a comment\n0 CLEAR\n0\n";
  EXPECT_EQ(WriteText(*file), expected);
  EXPECT_EQ(WriteText(*LoadText(expected)), expected);
}

// Another editor marks the members of a group with its own meta line: the group has no member
// here, and every line of it comes back as it was read. A group whose members were all taken out
// in the editor writes nothing.
TEST(Writer, GroupOfAnotherEditorKeepsEveryLine) {
  const std::string text =
      "0 Title\n0 OTHERED BTG Wheels\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 missing.dat\n"
      "0 OTHERED BTG Wheels\n1 4 20 0 0 1 0 0 0 1 0 0 0 1 missing.dat\n0 GROUP  2   Wheels\n";
  CScriptedPrompt prompt;
  auto file = LoadText(text);
  const std::string written = WriteText(*file);
  EXPECT_NE(written.find("0 OTHERED BTG Wheels\n1 4 20 0 0 1 0 0 0 1 0 0 0 1 missing.dat\n0 GROUP  2   Wheels\n0\n"),
            std::string::npos)
      << written;
  EXPECT_EQ(WriteText(*LoadText(written)), written);

  auto own = LoadText("0 TOLVO BTG A\n0 CLEAR\n0 GROUP 1 A\n0 STEP\n");
  own->RemoveAt(0);
  EXPECT_EQ(WriteText(*own), std::string(kDefaultRotationLines) + "0 STEP\n0\n");
}
}  // namespace
