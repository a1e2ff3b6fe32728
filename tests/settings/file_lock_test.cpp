// The link file's lock: a second holder waits for the first, and a lock that cannot be had
// never blocks.
#include "common/settings/file_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/temp_folder.h"

namespace {

TEST(FileLock, SecondHolderWaitsUntilTheFirstReleases) {
  testing_support::TempFolder folder;
  const auto path = folder / "Leafview.ini";
  std::atomic<bool> secondHeld{false};
  std::thread second;
  {
    settings::FileLock first(path);
    ASSERT_TRUE(first.IsHeld());
    second = std::thread([&] {
      settings::FileLock lock(path);
      secondHeld = lock.IsHeld();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(secondHeld);
  }
  second.join();
  EXPECT_TRUE(secondHeld);
}

TEST(FileLock, LockHeldByAStalledHolderIsGivenUpAfterAFewSeconds) {
  testing_support::TempFolder folder;
  const auto path = folder / "Leafview.ini";
  settings::FileLock stalled(path);
  ASSERT_TRUE(stalled.IsHeld());
  const auto start = std::chrono::steady_clock::now();
  settings::FileLock second(path);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(second.IsHeld());
  EXPECT_GE(waited, std::chrono::seconds(2));
  EXPECT_LT(waited, std::chrono::seconds(10));
}

TEST(FileLock, LockInAMissingFolderIsSkipped) {
  testing_support::TempFolder folder;
  settings::FileLock lock(folder / "absent" / "Leafview.ini");
  EXPECT_FALSE(lock.IsHeld());
}

}  // namespace
