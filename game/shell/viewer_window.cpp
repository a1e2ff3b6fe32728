// Window requests on the help viewer: Win32 window calls, or signals to the viewer's process.
#include "game/shell/viewer_window.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <string>
#include <system_error>
#endif

namespace shell {

#ifdef _WIN32

namespace {
HWND ToWindow(int64_t handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }
}  // namespace

bool ViewerWindowExists(int64_t handle, const std::filesystem::path&) {
  return handle != 0 && IsWindow(ToWindow(handle));
}

void BringViewerToFront(int64_t handle, const std::filesystem::path&) {
  SetForegroundWindow(ToWindow(handle));
}

void AskViewerToClose(int64_t handle, const std::filesystem::path&) {
  PostMessageW(ToWindow(handle), WM_CLOSE, 0, 0);
}

#else

namespace {

// pidfds through the system calls themselves: the C library's wrappers are missing from older
// versions and unusable from C++ in some.
int PinProcess(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
  errno = ENOSYS;
  return -1;
#endif
}

bool SignalPinned(int pinned, int number) {
#ifdef SYS_pidfd_send_signal
  return syscall(SYS_pidfd_send_signal, pinned, number, nullptr, 0) == 0;
#else
  return false;
#endif
}

// Whether process pid runs the program at viewerPath. A program file replaced since the
// process started (a new build or install) still counts: the kernel then adds " (deleted)".
bool RunsViewer(pid_t pid, const std::filesystem::path& viewerPath) {
  std::error_code error;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
  if (error) return false;
  if (std::filesystem::equivalent(exe, viewerPath, error)) return true;
  std::string running = exe.native();
  constexpr std::string_view kDeleted = " (deleted)";
  if (running.ends_with(kDeleted)) running.resize(running.size() - kDeleted.size());
  const std::filesystem::path expected = std::filesystem::weakly_canonical(viewerPath, error);
  return !error && std::filesystem::path(running) == expected;
}

// Sends number (0 only tests) to the viewer's process. The process is pinned by a pidfd
// before its program is checked, so a number reused by another process after the check
// cannot receive the signal.
bool SignalViewer(int64_t handle, const std::filesystem::path& viewerPath, int number) {
  if (handle <= 0 || handle > std::numeric_limits<pid_t>::max()) return false;
  const auto pid = static_cast<pid_t>(handle);
  const int pinned = PinProcess(pid);
  if (pinned < 0) {
    // Kernels before 5.3 have no pidfd; the check and the signal then follow each other.
    return errno == ENOSYS && RunsViewer(pid, viewerPath) && kill(pid, number) == 0;
  }
  const bool sent = RunsViewer(pid, viewerPath) && SignalPinned(pinned, number);
  close(pinned);
  return sent;
}

}  // namespace

bool ViewerWindowExists(int64_t handle, const std::filesystem::path& viewerPath) {
  return SignalViewer(handle, viewerPath, 0);
}

void BringViewerToFront(int64_t handle, const std::filesystem::path& viewerPath) {
  SignalViewer(handle, viewerPath, SIGUSR1);
}

void AskViewerToClose(int64_t handle, const std::filesystem::path& viewerPath) {
  SignalViewer(handle, viewerPath, SIGTERM);
}

#endif

}  // namespace shell
