// Prints the handle of the window in front, as the link file's HANDLE writes it, for the
// wine tests: an X display without a window manager does not show which one wine put there.
#include <windows.h>

#include <cstdio>

int wmain() {
  std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(GetForegroundWindow())));
  return 0;
}
