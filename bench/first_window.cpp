// Starts a program and waits for its first visible window on the X display: prints the
// milliseconds from exec to the moment a window with the program's _NET_WM_PID is viewable
// (mapped, and every parent a window manager gave it mapped too), the program's resident
// memory, the processor time its threads have used and the number of shared libraries it has
// mapped at that moment, and its resident memory again one second later, when its start-up
// has settled; then ends the program. On a busy machine the processor time varies far less
// than the wall time.
//
//   first_window TIMEOUT_MS PROGRAM [ARGS...]
//
// Output: "MILLISECONDS RSS_KB CPU_MILLISECONDS LIBRARIES SETTLED_RSS_KB" on success;
// "timeout" and exit status 1 when no window showed in time. The wait is event-driven, so
// the clock costs the measured program no CPU.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

int ErrorsIgnored(Display*, XErrorEvent*) { return 0; }  // windows vanish while we look

long WindowPid(Display* display, Window window, Atom pidAtom) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 32 && count == 1) {
    pid = *reinterpret_cast<long*>(data);
  }
  if (data != nullptr) XFree(data);
  return pid;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

// True when a viewable window of the process hangs below the window, searching its children
// (a window manager puts the program's window inside a frame of its own).
bool HasViewableWindowOf(Display* display, Window window, Atom pidAtom, long pid, int depth) {
  if (WindowPid(display, window, pidAtom) == pid && Viewable(display, window)) return true;
  if (depth == 0) return false;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) {
    found = HasViewableWindowOf(display, children[i], pidAtom, pid, depth - 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// The time the process's threads have run, from the scheduler's account of each thread.
double CpuMilliseconds(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  double nanoseconds = 0;
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double onCpu = 0;
    if (schedstat >> onCpu) nanoseconds += onCpu;
  }
  return nanoseconds / 1e6;
}

// Distinct files mapped whose names end in ".so" or contain ".so." (the loader included).
int SharedLibraries(pid_t pid) {
  std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
  std::set<std::string> libraries;
  std::string line;
  while (std::getline(maps, line)) {
    const size_t slash = line.find('/');
    if (slash == std::string::npos) continue;
    const std::string file = line.substr(slash);
    const size_t so = file.rfind(".so");
    if (so != std::string::npos && (so + 3 == file.size() || file[so + 3] == '.')) {
      libraries.insert(file);
    }
  }
  return static_cast<int>(libraries.size());
}

void End(pid_t child) {
  kill(child, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(child, nullptr, WNOHANG) == child) return;
    usleep(20000);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: first_window TIMEOUT_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  const long timeoutMs = std::strtol(argv[1], nullptr, 10);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "first_window: no X display\n");
    return 2;
  }
  XSetErrorHandler(ErrorsIgnored);
  const Window root = DefaultRootWindow(display);
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  // Every window created, reparented or mapped anywhere below the root reports here.
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    close(ConnectionNumber(display));
    execvp(argv[2], argv + 2);
    _exit(127);
  }

  const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
  while (true) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      // Frames and the program's own windows: watch their children's changes too.
      if (event.type == CreateNotify) {
        XSelectInput(display, event.xcreatewindow.window,
                     SubstructureNotifyMask | StructureNotifyMask);
      } else if (event.type == ReparentNotify) {
        XSelectInput(display, event.xreparent.window, StructureNotifyMask);
      } else if (event.type == MapNotify) {
        // Taken before the window is looked for, as the program may go on with its start-up
        // as soon as it is shown.
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const int libraries = SharedLibraries(child);
        const long rss = ResidentKilobytes(child);
        const double cpu = CpuMilliseconds(child);
        if (!HasViewableWindowOf(display, root, pidAtom, child, 4)) continue;
        sleep(1);
        std::printf("%.1f %ld %.1f %d %ld\n", ms, rss, cpu, libraries, ResidentKilobytes(child));
        End(child);
        return 0;
      }
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || waitpid(child, nullptr, WNOHANG) == child) break;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
  std::printf("timeout\n");
  End(child);
  return 1;
}
