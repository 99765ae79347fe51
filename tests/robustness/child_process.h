#pragma once
// Helpers for tests that need a process of their own: a write into a full disk
// or a read-only directory, a file the game may not read, a kill in the middle
// of a write. The child runs a check and reports it through its exit status, so
// the test process itself never loses its privileges or its file system view.
#include <cstdint>
#include <functional>
#include <string>

namespace vn::test {

// Exit statuses of a child: the check passed, failed, or the environment could
// not be set up (the test then skips with the child's reason).
inline constexpr int kChildPassed = 0, kChildFailed = 1, kChildCannotSetUp = 77;

struct ChildOutcome {
  int status = -1;     // exit status, or -1 when the child died of a signal
  int signal = 0;      // the signal that ended it
  std::string output;  // what the child wrote to its report pipe
};

// Runs check() in a forked child; the child's report() lines come back in output.
ChildOutcome RunInChild(const std::function<int(std::function<void(const std::string&)> report)>& check);

// In a child: the process becomes the unprivileged user "nobody", so file
// permissions apply even when the tests run as root. False when that is impossible.
bool DropPrivileges();
// In a child: makes directory read-only for this process alone (a private
// read-only bind mount, or else file permissions for an unprivileged user).
// Returns an empty string on success, else why it could not.
std::string MakeDirectoryReadOnly(const std::string& directory);
// In a child: writes beyond `bytes` fail with EFBIG instead of killing the process.
bool LimitFileSize(uint64_t bytes);

}  // namespace vn::test
