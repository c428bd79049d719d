// The inputs the HTML view's fuzzer found and that once failed, replayed
// as an ordinary test: each must run through without a fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzHtmlInput.h"
#include "runtime/Clock.h"

namespace {

TEST(HtmlFuzzCorpus, EveryKeptInputRunsThrough) {
  // QV_HTML_CORPUS replays another folder (a fuzzing run's own corpus).
  const char* other = std::getenv("QV_HTML_CORPUS");
  const std::filesystem::path corpus =
      other ? std::filesystem::path(other) : std::filesystem::path(QV_SOURCE_DIR) / "tools/fuzz/html/corpus";
  rt::ManualClock clock{0};
  rt::ScopedClock useClock{clock};
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().filename().string());
    qvfuzz::RunHtmlInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
