// Runs part of a test as an unprivileged user. An administrator (root, as on CI) may write any
// file, so a read-only file stops nobody there; the part then runs in a child process that has
// given up its rights. Elsewhere it runs as it is.
#pragma once

#include <functional>

namespace testing_support {

// Runs body; its failed expectations fail the calling test. Folders that body writes to must
// be open to everyone (the unprivileged user owns none of them).
void RunUnprivileged(const std::function<void()>& body);

}  // namespace testing_support
