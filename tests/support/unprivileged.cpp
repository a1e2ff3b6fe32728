// Child processes that run as the unprivileged user "nobody" (65534) when the tests run as root.
#include "tests/support/unprivileged.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testing_support {

namespace fs = std::filesystem;

#ifdef _WIN32

// The job runs in this process, as this user.
std::string RunUnprivileged(const std::function<std::string()>& job) { return job(); }

void GiveToUnprivilegedUser(const fs::path&) {}

#else

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

std::string RunUnprivileged(const std::function<std::string()>& job) {
  int fds[2];
  if (pipe(fds) != 0) return "<job failed>";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
                           setuid(kNobody) != 0)) {
      _exit(1);
    }
    // The child must never return into the test program: it would run the remaining tests.
    try {
      const std::string text = job();
      _exit(write(fds[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1);
    } catch (...) {
      _exit(1);
    }
  }
  close(fds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
  close(fds[0]);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return "<job failed>";
  }
  return text;
}

void GiveToUnprivilegedUser(const fs::path& folder) {
  if (geteuid() != 0) return;
  if (chown(folder.c_str(), kNobody, kNobody) != 0) return;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (lchown(it->path().c_str(), kNobody, kNobody) != 0) return;
  }
}

#endif

void MakeFolderReadOnly(const fs::path& folder) {
  std::error_code ignored;
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, ignored);
}

}  // namespace testing_support
