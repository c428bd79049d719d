// What a copy into the update folder that was killed in the middle left
// behind, found by the next run: undone while the copying may not have
// ended, finished once every copy was whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "FileHandling.h"
#include "TestFolder.h"

namespace verscout {
namespace {

TEST(CompleteInterruptedCopy, UndoesOrFinishesWhatAKilledCopyLeft) {
  using Files = std::map<std::string, std::string>;
  struct Case {
    const char* what;
    Files before;
    const char* done;
    Files after;
  };
  const Files old{{"QVUpdate.exe", "old"}, {"ver.txt", "v1"}};
  const Files updated{{"QVUpdate.exe", "new"}, {"ver.txt", "v2"}};
  for (const Case& c : {
           Case{"nothing left", old, "", old},
           Case{"killed while copying",
                {{"QVUpdate.exe", "old"}, {"ver.txt", "v1"}, {"QVUpdate.exe.part", "ne"}},
                "undone",
                old},
           Case{"killed while copying the second",
                {{"QVUpdate.exe", "old"}, {"ver.txt", "v1"}, {"QVUpdate.exe.part", "new"}, {"ver.txt.part", ""}},
                "undone",
                old},
           Case{"killed while marking the copies whole",
                {{"QVUpdate.exe", "old"}, {"ver.txt", "v1"}, {"QVUpdate.exe.new", "new"}, {"ver.txt.part", "v2"}},
                "finished",
                updated},
           Case{"killed between the renames, the old files kept",
                {{"QVUpdate.exe", "new"},
                 {"QVUpdate.exe.prev", "old"},
                 {"ver.txt", "v1"},
                 {"ver.txt.prev", "v1"},
                 {"ver.txt.new", "v2"}},
                "finished",
                updated},
           Case{"the update file renamed, a stray ver.txt.part",
                {{"QVUpdate.exe", "new"}, {"ver.txt", "v1"}, {"ver.txt.part", "v2"}},
                "finished",
                updated},
           Case{"killed before the old files went",
                {{"QVUpdate.exe", "new"}, {"QVUpdate.exe.prev", "old"}, {"ver.txt", "v2"}},
                "finished",
                updated},
       }) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    for (const auto& [name, content] : c.before) WriteFile(folder.Path(name), content);
    EXPECT_EQ(CompleteInterruptedCopy({folder.Path("QVUpdate.exe"), folder.Path("ver.txt")}), c.done);
    Files after;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
      after[entry.path().filename().string()] = ReadFile(entry.path().string());
    }
    EXPECT_EQ(after, c.after);
  }
}

}  // namespace
}  // namespace verscout
