// Window requests on the help viewer: Win32 window calls, or signals to the viewer's process,
// each sent only after the facts about the named window have passed the viewer rule.
#include "game/shell/viewer_window.h"

#include "game/shell/viewer_identity.h"

#ifdef _WIN32
#include <windows.h>

#include <iterator>
#include <string>

#include "common/settings/link_file.h"
#include "common/settings/path_text.h"
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

WindowFacts FactsOf(HWND window) {
  WindowFacts facts;
  facts.alive = window != nullptr && IsWindow(window);
  if (!facts.alive) return facts;
  wchar_t className[256] = {};
  const int classLength = GetClassNameW(window, className, static_cast<int>(std::size(className)));
  facts.windowClass = settings::WideToUtf8(std::wstring_view(className, classLength));
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process != nullptr) {
    std::wstring image(32768, L'\0');
    DWORD length = static_cast<DWORD>(image.size());
    if (QueryFullProcessImageNameW(process, 0, image.data(), &length)) {
      image.resize(length);
      facts.program = std::filesystem::path(image);
    }
    CloseHandle(process);
  }
  return facts;
}

// The named window when it is the viewer's, else null.
HWND ViewerWindow(int64_t handle, const std::filesystem::path& viewerPath) {
  const HWND window = ToWindow(handle);
  const ViewerLooks viewer{settings::link::kViewerWindowClass, viewerPath.filename()};
  return IsViewerWindow(FactsOf(window), viewer) ? window : nullptr;
}

}  // namespace

bool ViewerWindowExists(int64_t handle, const std::filesystem::path& viewerPath) {
  return ViewerWindow(handle, viewerPath) != nullptr;
}

void BringViewerToFront(int64_t handle, const std::filesystem::path& viewerPath) {
  const HWND window = ViewerWindow(handle, viewerPath);
  if (window == nullptr) return;
  // Bringing a minimised window to the front leaves it minimised. The restore does not wait
  // for the viewer, so that a viewer that hangs cannot hang the game too.
  if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
  SetForegroundWindow(window);
}

void AskViewerToClose(int64_t handle, const std::filesystem::path& viewerPath) {
  const HWND window = ViewerWindow(handle, viewerPath);
  if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
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

// The facts about a running process: Linux windows have no class, and the process's program
// is the file it was started from. A program file replaced since the process started (a new
// build or install) still counts: the kernel then adds " (deleted)" to its name.
WindowFacts FactsOf(pid_t pid) {
  WindowFacts facts;
  std::error_code error;
  facts.program = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
  facts.alive = !error;  // an ended process, a zombie among them, has no program any more
  std::string running = facts.program.native();
  constexpr std::string_view kDeleted = " (deleted)";
  if (running.ends_with(kDeleted)) {
    running.resize(running.size() - kDeleted.size());
    facts.program = running;
  }
  return facts;
}

bool RunsViewer(pid_t pid, const std::filesystem::path& viewerPath) {
  std::error_code error;
  const ViewerLooks viewer{{}, std::filesystem::weakly_canonical(viewerPath, error)};
  return !error && IsViewerWindow(FactsOf(pid), viewer);
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
