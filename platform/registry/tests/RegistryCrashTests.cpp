// A writer killed at any moment leaves the old or the new content.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "registry/Registry.h"
#include "registry/UniqueKey.h"
#include "registry/tests/ScopedRegistryFolder.h"

using namespace reg;

namespace {

constexpr size_t kBlobSize = 256 * 1024;

// Generation n: its number in four bytes, then a fill that depends on n.
std::string Blob(uint32_t generation) {
  std::string blob(kBlobSize, static_cast<char>(generation * 7 + 1));
  std::memcpy(blob.data(), &generation, sizeof generation);
  return blob;
}

[[noreturn]] void WriteForever(uint32_t first) {
  UniqueKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Crash", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      key.Put(), nullptr) != ERROR_SUCCESS) {
    ::_exit(2);
  }
  for (uint32_t generation = first; generation < first + 100000; ++generation) {
    std::string blob = Blob(generation);
    if (RegSetValueExA(key.Get(), "blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>(blob.data()),
                       static_cast<DWORD>(blob.size())) != ERROR_SUCCESS) {
      ::_exit(3);
    }
  }
  ::_exit(0);
}

}  // namespace

TEST(RegistryCrash, AWriterKilledMidWriteLeavesOldOrNewContent) {
  ScopedRegistryFolder folder;
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> delayMs(5, 250);
  uint32_t lastGeneration = 0;

  for (int round = 0; round < 10; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteForever(lastGeneration + 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own, status " << status;

    UniqueKey key;
    LSTATUS rc = RegOpenKeyExA(HKEY_CURRENT_USER, "Crash", 0, KEY_READ, key.Put());
    if (rc == ERROR_FILE_NOT_FOUND) {
      EXPECT_EQ(lastGeneration, 0u) << "round " << round;  // killed before its first write
      continue;
    }
    ASSERT_EQ(rc, ERROR_SUCCESS);
    std::string data(kBlobSize, '\0');
    DWORD size = kBlobSize;
    DWORD type = 0;
    rc = RegQueryValueExA(key.Get(), "blob", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (rc == ERROR_FILE_NOT_FOUND) {
      EXPECT_EQ(lastGeneration, 0u) << "round " << round;
      continue;
    }
    ASSERT_EQ(rc, ERROR_SUCCESS);
    ASSERT_EQ(type, REG_BINARY);
    ASSERT_EQ(size, kBlobSize);
    uint32_t generation = 0;
    std::memcpy(&generation, data.data(), sizeof generation);
    EXPECT_EQ(data, Blob(generation)) << "round " << round << ": a mixed value";
    EXPECT_GE(generation, lastGeneration) << "round " << round << ": an older value came back";
    lastGeneration = generation;
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    std::string name = entry.path().filename().string();
    EXPECT_EQ(name.find(".broken-"), std::string::npos) << name;
  }
}
