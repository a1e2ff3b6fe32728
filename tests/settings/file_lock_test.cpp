// The link file's lock: a second holder waits for the first, and a lock that cannot be had
// never blocks: where the file system has no locks the cycle goes on at once without one.
#include "common/settings/file_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

#ifdef __linux__
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#endif

#include "common/settings/link_cycle.h"
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

// The lock call's error decides: a lock held by another program is tried again until it is
// free; any other error (the file system has no locks) gives up after the first try.
TEST(FileLock, OnlyALockHeldElsewhereIsTriedAgain) {
#ifdef _WIN32
  constexpr int kHeldElsewhere = ERROR_LOCK_VIOLATION;
  const int cannotBeHad[] = {ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION, ERROR_ACCESS_DENIED};
#else
  constexpr int kHeldElsewhere = EWOULDBLOCK;
  const int cannotBeHad[] = {ENOLCK, EOPNOTSUPP, EINVAL, EBADF};
#endif
  for (const int error : cannotBeHad) {
    int tries = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(settings::WaitForLock([&] { return ++tries, error; })) << error;
    EXPECT_EQ(tries, 1) << error;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << error;
  }
  int tries = 0;
  EXPECT_TRUE(settings::WaitForLock([&] { return ++tries < 3 ? kHeldElsewhere : 0; }));
  EXPECT_EQ(tries, 3);
}

#if defined(__linux__) && (defined(__x86_64__) || defined(__aarch64__))

// From here on every flock call of this process fails with error, as it does on a file system
// without locks (NFS without its lock service, some network and FUSE file systems): the
// kernel's system-call filter answers in the file system's place.
bool RefuseFlock(int error) {
#ifdef __x86_64__
  constexpr unsigned kArch = AUDIT_ARCH_X86_64;
#else
  constexpr unsigned kArch = AUDIT_ARCH_AARCH64;
#endif
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_flock, 0, 1),
      BPF_STMT(BPF_RET | BPF_K,
               SECCOMP_RET_ERRNO | (static_cast<unsigned>(error) & SECCOMP_RET_DATA)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// What one link-file cycle did while flock failed with error, run in a child process so that
// the filter stays there.
enum ChildResult { kCycleFast = 0, kNoFilter = 10, kLockHeld = 11, kCycleSlow = 12 };

int RunCycleWithoutLocks(const std::filesystem::path& linkPath, int error) {
  if (!RefuseFlock(error)) return kNoFilter;
  const int probe = open(linkPath.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  if (flock(probe, LOCK_EX | LOCK_NB) == 0 || errno != error) return kNoFilter;
  close(probe);
  const auto start = std::chrono::steady_clock::now();
  {
    settings::LinkCycle cycle(linkPath);
    cycle.store.WriteSettingText("LASTTIME", "50");
  }
  if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(500)) return kCycleSlow;
  return settings::FileLock(linkPath).IsHeld() ? kLockHeld : kCycleFast;
}

TEST(FileLock, WithoutLocksInTheFileSystemTheCycleGoesOnAtOnce) {
  for (const int error : {ENOLCK, EOPNOTSUPP, EINVAL}) {
    SCOPED_TRACE(strerror(error));
    testing_support::TempFolder folder;
    const auto linkPath = folder / "Leafview.ini";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(RunCycleWithoutLocks(linkPath, error));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    const int result = WEXITSTATUS(status);
    if (result == kNoFilter) GTEST_SKIP() << "no system-call filter here";
    EXPECT_NE(result, kCycleSlow) << "the cycle waited for a lock that cannot be had";
    EXPECT_NE(result, kLockHeld) << "a lock that cannot be had was reported held";
    EXPECT_EQ(folder.Read("Leafview.ini"), "LASTTIME = 50\r\n") << "the cycle did not go on";
  }
}

#endif

}  // namespace
