// The unprivileged child: the user and group "nobody", without supplementary groups.
#include "tests/support/unprivileged.h"

#include <gtest/gtest.h>

#include <cstdio>

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testing_support {

void RunUnprivileged(const std::function<void()>& body) {
#ifndef _WIN32
  if (geteuid() == 0) {
    constexpr uid_t kNobody = 65534;
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
      body();
      std::fflush(nullptr);
      _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the part run as an unprivileged user failed (see above), status " << status;
    return;
  }
#endif
  body();
}

}  // namespace testing_support
