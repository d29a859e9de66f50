// A picture the renderer cannot get memory for stops the series with the message the user sees;
// the program goes on. The address space is limited in a child process, so that the large
// picture's buffers cannot be had while everything else still can.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "DocModel.h"
#include "document/PictureSeries.h"
#include "render/Dib.h"

#include "support/Sanitized.h"

namespace {

class CCountingWriter : public IPictureWriter {
 public:
  bool Write(const std::string&, const CDib&, const std::string&) override {
    ++written;
    return true;
  }
  int written = 0;
};

size_t AddressSpaceInUse() {
  unsigned long pages = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  const int read = std::fscanf(statm, "%lu", &pages);
  std::fclose(statm);
  return read == 1 ? pages * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

class PictureSeriesMemoryTest : public DocumentTest {};

TEST_F(PictureSeriesMemoryTest, APictureWithoutMemoryIsAnErrorNotTheEndOfTheProgram) {
#ifdef PLANDOR_SANITIZED
  GTEST_SKIP() << "the sanitizers reserve the address space this test limits";
#else
  theSettings.APVT = 0;
  LoadDocument(doc, SteppedModel(2));
  PictureSeriesOptions options;
  options.resolution = 6;  // 1600 x 1200: about 13 MB of picture and depth buffer
  options.stepNumbers = false;
  CCountingWriter writer;
  // Room for small allocations, none for the picture.
  auto child = [&] {
    const size_t used = AddressSpaceInUse();
    if (used == 0) std::_Exit(2);
    struct rlimit limit;
    limit.rlim_cur = limit.rlim_max = used + (4u << 20);
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
    const SeriesResult result = SavePictureSeries(doc, options, "/nowhere/B.png", writer);
    const bool told = prompt.shown.size() == 1 && prompt.shown[0].text == "Failed to create the file!";
    const bool ok = result == SeriesResult::Failed && told && writer.written == 0 && doc.GetEditMode() == 1;
    std::_Exit(ok ? 0 : 1);
  };
  EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
  // Without the limit the same series is written.
  EXPECT_EQ(SavePictureSeries(doc, options, "/nowhere/B.png", writer), SeriesResult::Written);
  EXPECT_EQ(writer.written, 2);
#endif
}

}  // namespace
