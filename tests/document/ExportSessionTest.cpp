// Export...: numbered step files of the selected models and steps, the session log, and the post
// processors run on each file, with fake post processors (sh scripts that record their arguments).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <sstream>

#include "DocModel.h"
#include "document/ExportSession.h"
#include "document/PostProcessor.h"
#include "document/ProgramRunner.h"
#include "platform/Folders.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"
#include "tests/support/ScriptedPorts.h"
#include "tests/support/TestData.h"

namespace {

// The scripted ports, but programs really run.
class CRealProgramPorts : public CScriptedPorts {
 public:
  CRealProgramPorts() {
    offered = {DocPort::ExportOptions, DocPort::Progress, DocPort::Programs};
  }
  PortResult RunProgram(const ProgramRun& run, IProgress* progress, ProgramResult& result) override {
    runs.push_back(run);
    return RunProgramNow(run, progress, result);
  }
};

// One line per step; the x coordinate tells model and step apart (model m, step g: m * 100 + g).
std::string ModelText(const char* name, int m, int steps) {
  std::string text = std::string("0 FILE ") + name + "\n0 " + name + "\n";
  for (int g = 1; g <= steps; ++g)
    text += "2 24 " + std::to_string(m * 100 + g) + " 0 0 0 10 0\n0 STEP\n";
  return text + "0\n";
}

// a.ldr (3 steps), c.ldr (2 steps, left out in most tests), b.ldr (4 steps).
const std::string kProject = ModelText("a.ldr", 1, 3) + ModelText("c.ldr", 3, 2) + ModelText("b.ldr", 2, 4) + "0\n";

std::string Slurp(const std::string& path) { return ReadFileBytes(path); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The x coordinates of the line elements in a step file, in order.
std::vector<int> LineXs(const std::string& path) {
  std::vector<int> xs;
  for (const std::string& line : Lines(Slurp(path)))
    if (int x = 0; std::sscanf(line.c_str(), "2 %*d %d", &x) == 1) xs.push_back(x);
  return xs;
}

class ExportSessionTest : public DocumentTest {
 public:
  void SetUp() override {
    LoadDocument(doc, kProject);
    doc.SetTitle("car.old.ldr");
    doc.SetPorts(&ports);
    choice = doc.MakeExportChoice();
    choice.options = ExportOptions();
    choice.options.exportPath = out.Path();
    choice.options.enableLog = 1;
    choice.options.logName = out / "export.log";
    choice.modelSelection = {1, 0, 1};
    choice.stepSelection.assign(7, 1);
  }
  void TearDown() override { doc.SetPorts(nullptr); }

  // A post processor that appends its arguments (one a line, then "--") to record, writes one
  // line of output and exits with the code.
  std::string FakeProgram(const std::string& name, int code) {
    const std::string path = tools / name;
    WriteFileBytes(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + Record(name) +
                             "'; done\nprintf -- '--\\n' >> '" + Record(name) + "'\necho \"" + name +
                             " saw $# arguments\"\nexit " + std::to_string(code) + "\n");
    chmod(path.c_str(), 0755);
    return path;
  }
  std::string Record(const std::string& name) { return tools / (name + ".args"); }
  // The calls a fake program received, each its arguments.
  std::vector<std::vector<std::string>> Calls(const std::string& name) {
    std::vector<std::vector<std::string>> calls(1);
    for (const std::string& line : Lines(Slurp(Record(name)))) {
      if (line == "--")
        calls.emplace_back();
      else
        calls.back().push_back(line);
    }
    calls.pop_back();
    return calls;
  }
  void Enable(size_t k, const std::string& path, const std::string& parameters, int isCommand = 0) {
    choice.options.postProcessors[k] = {1, isCommand, path, parameters};
  }
  ExportResult Run() {
    CExportSession session(doc.GetProject(), doc.GetTitle(), choice, ports);
    return session.Run();
  }
  // The log with the scratch folders written as <OUT>/ and <TOOLS>/.
  std::string Log() {
    std::string text = Slurp(out / "export.log");
    for (auto [dir, mark] : {std::pair{out.Path(), "<OUT>/"}, std::pair{tools.Path(), "<TOOLS>/"}})
      for (size_t at; (at = text.find(dir)) != std::string::npos;) text.replace(at, dir.size(), mark);
    return text;
  }
  std::string File(unsigned long r) { return CExportSession::StepFileName(out.Path(), "car", r); }

  // The lambdas of the case tables reach the document through here.
  CQuorvelDoc& Doc() { return doc; }

  CScratchDir out, tools;
  CRealProgramPorts ports;
  ExportChoice choice;
};

TEST(ExportNames, BaseNameAndStepFiles) {
  EXPECT_EQ(CExportSession::BaseName("car.old.ldr"), "car");
  EXPECT_EQ(CExportSession::BaseName("truck"), "truck");
  EXPECT_EQ(CExportSession::StepFileName("/out/", "car", 1), "/out/car_00001.ldr");
  EXPECT_EQ(CExportSession::StepFileName("/out/", "car", 123456), "/out/car_123456.ldr");
}

TEST(PostProcessorCommand, ExpansionTable) {
  struct Case {
    const char *parameters, *path, *shell;
    std::vector<std::string> argv;  // after the program
  } cases[] = {
      {"-i %0 -o %3.png", "/out/car_00002.ldr", "-i /out/car_00002.ldr -o /out/car_00002.png",
       {"-i", "/out/car_00002.ldr", "-o", "/out/car_00002.png"}},
      {"%1|%2|%4|%5|%6|%7", "/o/x.ldr", "/o/|x|/o/x.ldr|/o/|x|/o/x", {"/o/|x|/o/x.ldr|/o/|x|/o/x"}},
      {"100%% %9 %", "/o/x.ldr", "100% 9 %", {"100%", "9", "%"}},
      {"%0", "/my dir/a b.ldr", "'/my dir/a b.ldr'", {"/my dir/a b.ldr"}},
      {"'%2 here' \"x y\"", "/o/q.ldr", "'q here' \"x y\"", {"q here", "x y"}},
      {"%0", "/o/x$(touch p);y'z.ldr", "'/o/x$(touch p);y'\\''z.ldr'", {"/o/x$(touch p);y'z.ldr"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandPostProcessorCommand("/usr/bin/pp", c.parameters, c.path), std::string("/usr/bin/pp ") + c.shell)
        << c.parameters;
    std::vector<std::string> argv{"/usr/bin/pp"};
    argv.insert(argv.end(), c.argv.begin(), c.argv.end());
    EXPECT_EQ(ExpandPostProcessorArguments("/usr/bin/pp", c.parameters, c.path), argv) << c.parameters;
  }
  // A program path with a blank stays one word for the shell.
  EXPECT_EQ(ExpandPostProcessorCommand("/opt/my tools/pp", "", "/o/x.ldr"), "'/opt/my tools/pp' ");
}

// Two selected models of 3 and 4 steps around an unselected one: files 1 to 7, the second
// model's numbers continue after the first's, each file holds steps 1 to g of its model, and the
// log is the one the session must write.
TEST_F(ExportSessionTest, TwoModelsAllStepsWithAPostProcessor) {
  Enable(0, FakeProgram("pp1", 0), "-i %0 -o %3.png");
  ASSERT_EQ(Run(), ExportResult::Completed);
  EXPECT_EQ(LineXs(File(1)), (std::vector<int>{101}));
  EXPECT_EQ(LineXs(File(3)), (std::vector<int>{101, 102, 103}));
  EXPECT_EQ(LineXs(File(4)), (std::vector<int>{201}));
  EXPECT_EQ(LineXs(File(7)), (std::vector<int>{201, 202, 203, 204}));
  EXPECT_FALSE(FileExists(File(8)));
  const auto calls = Calls("pp1");
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls[3], (std::vector<std::string>{"-i", File(4), "-o", out / "car_00004.png"}));
  EXPECT_EQ(Log(), Slurp(TestFixture("export/two-models.log")));
  EXPECT_EQ(ports.progressRanges, (std::vector<int>{7}));
  EXPECT_EQ(ports.progressSteps, 7);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ExportSessionTest, ARangeAndAModelWithoutSelectedSteps) {
  struct Case {
    const char* range;
    std::vector<unsigned long> files;
    const char* golden;
  } cases[] = {
      {"1-3;7", {1, 2, 3, 7}, nullptr},
      {"2-3", {2, 3}, "export/range-2-3.log"},
  };
  for (const Case& c : cases) {
    choice.options.rangeSelection = 1;
    choice.options.stepRange = c.range;
    choice.stepSelection = MakeStepSelection(choice.options, 7);
    ASSERT_EQ(Run(), ExportResult::Completed) << c.range;
    for (unsigned long r = 1; r <= 8; ++r) {
      const bool wanted = std::find(c.files.begin(), c.files.end(), r) != c.files.end();
      EXPECT_EQ(FileExists(File(r)), wanted) << c.range << " " << r;
      std::remove(File(r).c_str());
    }
    if (c.golden) {
      EXPECT_EQ(Log(), Slurp(TestFixture(c.golden)));
    }
  }
}

// Post processor k runs only when k - 1 ran and succeeded: exit codes of programs that ran count
// as success, a program that cannot start or a shell that cannot run the command do not.
TEST_F(ExportSessionTest, ChainRules) {
  struct Case {
    const char* name;
    int enable1, code1, isCommand1;
    bool missing1;
    bool logOn;
    size_t runs2;
  } cases[] = {
      {"1 off, 2 on", 0, 0, 0, false, true, 0},
      {"1 exits 3", 1, 3, 0, false, true, 7},
      {"1 cannot start", 1, 0, 0, true, true, 0},
      {"1 shell command not found", 1, 0, 1, true, true, 0},
      {"1 shell command not found, no log", 1, 0, 1, true, false, 0},
      {"1 shell exits 5", 1, 5, 1, false, false, 7},
  };
  for (const Case& c : cases) {
    std::remove(Record("pp2").c_str());
    const std::string one = c.missing1 ? tools / "no such program" : FakeProgram("pp1", c.code1);
    choice.options.postProcessors[0] = {c.enable1, c.isCommand1, one, "%0"};
    Enable(1, FakeProgram("pp2", 0), "%0");
    choice.options.enableLog = c.logOn;
    EXPECT_EQ(Run(), ExportResult::Completed) << c.name;
    EXPECT_EQ(Calls("pp2").size(), c.runs2) << c.name;
  }
}

TEST_F(ExportSessionTest, ATitleNeverReachesAShellAsCode) {
  doc.SetTitle("x$(touch PWNED); 'q\" b.ldr");
  choice.modelSelection = {1, 0, 0};
  choice.stepSelection.assign(3, 0);
  choice.stepSelection[0] = 1;
  const std::string expected = out / "x$(touch PWNED); 'q\" b_00001.ldr";
  for (int isCommand : {0, 1}) {
    std::remove(Record("pp1").c_str());
    Enable(0, FakeProgram("pp1", 0), "%0", isCommand);
    ASSERT_EQ(Run(), ExportResult::Completed);
    EXPECT_TRUE(FileExists(expected));
    EXPECT_EQ(Calls("pp1"), (std::vector<std::vector<std::string>>{{expected}})) << isCommand;
  }
  EXPECT_FALSE(FileExists(tools / "PWNED"));
  EXPECT_FALSE(FileExists(out / "PWNED"));
  EXPECT_FALSE(FileExists("PWNED"));
}

TEST_F(ExportSessionTest, AShellPostProcessorWritesIntoTheLog) {
  choice.modelSelection = {1, 0, 0};
  choice.stepSelection = {1, 0, 0};
  Enable(0, FakeProgram("pp sh", 0), "%0", 1);
  ASSERT_EQ(Run(), ExportResult::Completed);
  EXPECT_EQ(Log(), Slurp(TestFixture("export/shell.log")));
}

TEST_F(ExportSessionTest, CancelEndsTheSessionAsAborted) {
  ports.cancelAfter = 4;  // before model 1, step 1, step 2, then Cancel before step 3
  ASSERT_EQ(Run(), ExportResult::Cancelled);
  EXPECT_TRUE(FileExists(File(2)));
  EXPECT_FALSE(FileExists(File(3)));
  EXPECT_EQ(Log(), Slurp(TestFixture("export/cancelled.log")));
}

// Cancel while a post processor runs: it is waited for (the step file is its until it ends), then
// the session ends as aborted.
TEST_F(ExportSessionTest, CancelDuringAPostProcessorWaitsForIt) {
  const std::string slow = tools / "slow";
  WriteFileBytes(slow, "#!/bin/sh\nsleep 0.3\necho done > '" + tools / "slow.done" + "'\n");
  chmod(slow.c_str(), 0755);
  Enable(0, slow, "%0");
  ports.cancelAfter = 3;  // before model 1, before step 1, then the first look while it runs
  ASSERT_EQ(Run(), ExportResult::Cancelled);
  EXPECT_EQ(Slurp(tools / "slow.done"), "done\n");
  EXPECT_EQ(ports.runs.size(), 1u);
  const std::string log = Log();
  EXPECT_NE(log.find("Processor returned: 0\nExporting data for sub-model 1 completed.\nExport session aborted!\n"),
            std::string::npos)
      << log;
}

TEST_F(ExportSessionTest, AStepFileThatCannotBeWrittenAbortsTheSession) {
  struct Case {
    const char* name;
    std::function<void(ExportSessionTest&)> setup;
    unsigned message;
    const char* golden;
  } cases[] = {
      {"no folder", [](ExportSessionTest& t) { t.choice.options.exportPath = t.out / "missing/"; },
       kStringCreateFailed, "export/create-failed.log"},
      {"export fails",
       [](ExportSessionTest& t) {
         LoadDocument(t.Doc(), ModelText("a.ldr", 1, 1) + "0 FILE r.ldr\n0 BUFEXCHG A RETRIEVE\n2 24 1 0 0 0 1 0\n0\n0\n");
         t.Doc().SetTitle("car.old.ldr");
         t.choice.options.exportPath = t.out.Path();
         t.choice.modelSelection = {0, 1};
         t.choice.stepSelection = {1};
       },
       kStringIoError, "export/write-failed.log"},
  };
  for (const Case& c : cases) {
    prompt.shown.clear();
    c.setup(*this);
    EXPECT_EQ(Run(), ExportResult::Failed) << c.name;
    ASSERT_EQ(prompt.shown.size(), 1u) << c.name;
    EXPECT_EQ(prompt.shown[0].text, LoadResString(c.message));
    EXPECT_EQ(Log(), Slurp(TestFixture(c.golden))) << c.name;
  }
}

TEST_F(ExportSessionTest, RotationStepsTurnTheFileUnlessIgnored) {
  LoadDocument(doc, "0 FILE a.ldr\n2 24 10 0 0 0 0 0\n0 ROTSTEP 0 90 0 ABS\n2 24 20 0 0 0 0 0\n0 STEP\n0\n0\n");
  doc.SetTitle("car.old.ldr");
  choice.modelSelection = {1};
  choice.stepSelection = {1, 1};
  for (int ignore : {0, 1}) {
    choice.options.ignoreRotSteps = ignore;
    ASSERT_EQ(Run(), ExportResult::Completed);
    const std::vector<std::string> lines = Lines(Slurp(File(1)));
    ASSERT_FALSE(lines.empty());
    double x = 0, y = 0, z = 0;
    ASSERT_EQ(std::sscanf(lines[0].c_str(), "2 %*d %lf %lf %lf", &x, &y, &z), 3) << lines[0];
    // Turned 90 degrees about y, (10, 0, 0) lies on the z axis.
    EXPECT_NEAR(x, ignore ? 10 : 0, 1e-9) << ignore;
    EXPECT_NEAR(std::abs(z), ignore ? 0 : 10, 1e-9) << ignore;
    EXPECT_NEAR(y, 0, 1e-9);
  }
}

}  // namespace
