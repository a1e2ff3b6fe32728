// The game's window requests on Linux: only a live process running the viewer program counts
// as the viewer's window, and only such a process ever receives the signals.
#include "game/shell/viewer_window.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A child process running program with one argument; killed and reaped at the end.
class Child {
 public:
  Child(const fs::path& program, const char* argument) {
    const std::string path = program.string();
    char* argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(argument), nullptr};
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
  }
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    Reap();
  }
  pid_t pid() const { return pid_; }
  // The signal that ended the child, waiting for it at most a few seconds; 0 while it runs.
  int EndingSignal() {
    for (int i = 0; i < 300 && !reaped_; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reaped_ = true;
        signal_ = WIFSIGNALED(status) ? WTERMSIG(status) : -1;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    return signal_;
  }
  bool StillRuns() { return waitpid(pid_, nullptr, WNOHANG) == 0; }
  // Waits until the child has ended, leaving it a zombie that is not yet reaped.
  bool AwaitZombie() {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) == 0;
  }

 private:
  void Reap() {
    if (!reaped_) waitpid(pid_, nullptr, 0);
    reaped_ = true;
  }
  pid_t pid_ = -1;
  bool reaped_ = false;
  int signal_ = 0;
};

class ViewerWindowTest : public ::testing::Test {
 protected:
  ViewerWindowTest() { fs::copy_file("/bin/sleep", viewerPath); }

  testing_support::TempFolder folder;
  fs::path viewerPath = folder / "Leafview";
};

TEST_F(ViewerWindowTest, HandlesThatNameNoViewerNameNoWindow) {
  Child foreign("/bin/sleep", "30");
  ASSERT_GT(foreign.pid(), 0);
  for (const int64_t handle :
       {int64_t{0}, int64_t{-1}, int64_t{1}, int64_t{getpid()}, int64_t{foreign.pid()},
        int64_t{1} << 40, int64_t{2147483647}}) {
    EXPECT_FALSE(shell::ViewerWindowExists(handle, viewerPath)) << handle;
  }
}

TEST_F(ViewerWindowTest, ALiveViewerProcessIsTheWindow) {
  Child viewer(viewerPath, "30");
  ASSERT_GT(viewer.pid(), 0);
  EXPECT_TRUE(shell::ViewerWindowExists(viewer.pid(), viewerPath));
  EXPECT_TRUE(shell::ViewerWindowExists(viewer.pid(), folder.path() / "." / "Leafview"));
  EXPECT_FALSE(shell::ViewerWindowExists(viewer.pid(), folder / "Tarnwick"));
}

TEST_F(ViewerWindowTest, AViewerWhoseProgramWasReplacedStillCounts) {
  Child viewer(viewerPath, "30");
  ASSERT_GT(viewer.pid(), 0);
  fs::remove(viewerPath);
  EXPECT_TRUE(shell::ViewerWindowExists(viewer.pid(), viewerPath));
}

TEST_F(ViewerWindowTest, AnEndedViewerNamesNoWindow) {
  fs::remove(viewerPath);
  fs::copy_file("/bin/true", viewerPath);
  Child ended(viewerPath, "");
  ASSERT_GT(ended.pid(), 0);
  ASSERT_TRUE(ended.AwaitZombie());
  EXPECT_FALSE(shell::ViewerWindowExists(ended.pid(), viewerPath));
}

TEST_F(ViewerWindowTest, RequestsReachTheViewerAsSignals) {
  Child raised(viewerPath, "30");
  shell::BringViewerToFront(raised.pid(), viewerPath);
  EXPECT_EQ(raised.EndingSignal(), SIGUSR1);

  Child closed(viewerPath, "30");
  shell::AskViewerToClose(closed.pid(), viewerPath);
  EXPECT_EQ(closed.EndingSignal(), SIGTERM);
}

TEST_F(ViewerWindowTest, RequestsNeverReachAnotherProcess) {
  Child foreign("/bin/sleep", "30");
  shell::BringViewerToFront(foreign.pid(), viewerPath);
  shell::AskViewerToClose(foreign.pid(), viewerPath);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(foreign.StillRuns());
}

}  // namespace
