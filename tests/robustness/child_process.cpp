#include "tests/robustness/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace vn::test {
namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

ChildOutcome RunInChild(const std::function<int(std::function<void(const std::string&)> report)>& check) {
  ChildOutcome outcome;
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return outcome;
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    const int write_end = pipe_ends[1];
    const auto report = [write_end](const std::string& line) {
      const std::string text = line + "\n";
      ssize_t ignored = write(write_end, text.data(), text.size());
      (void)ignored;
    };
    int status = kChildFailed;
    try {
      status = check(report);
    } catch (const std::exception& error) {
      report(std::string("exception: ") + error.what());
    }
    // _exit: the child must not run the test framework's or SDL's exit handlers.
    _exit(status);
  }
  close(pipe_ends[1]);
  char buffer[512];
  for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) outcome.output.append(buffer, size_t(n));
  close(pipe_ends[0]);
  int wait_status = 0;
  if (child < 0 || waitpid(child, &wait_status, 0) != child) return outcome;
  if (WIFEXITED(wait_status)) outcome.status = WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) outcome.signal = WTERMSIG(wait_status);
  return outcome;
}

bool DropPrivileges() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setresgid(kNobody, kNobody, kNobody) == 0 &&
         setresuid(kNobody, kNobody, kNobody) == 0;
}

std::string MakeDirectoryReadOnly(const std::string& directory) {
  // A mount namespace of its own keeps the read-only view inside this child.
  // The working directory is entered again afterwards: it may be the directory
  // itself, and an open working directory keeps pointing below the new mount.
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) && unshare(CLONE_NEWNS) == 0 &&
      mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
      mount(directory.c_str(), directory.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
      mount(nullptr, directory.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0 && chdir(cwd) == 0)
    return "";
  // Without mounting: an unprivileged user may not write into a directory that
  // only grants reading and searching.
  if (chmod(directory.c_str(), 0555) != 0) return "cannot change the directory's permissions";
  if (!DropPrivileges()) return "can neither mount read-only nor run as an unprivileged user";
  if (access(directory.c_str(), W_OK) == 0) return "the directory stays writable";
  return "";
}

bool LimitFileSize(uint64_t bytes) {
  // The default action of SIGXFSZ ends the process; ignored, the write fails with EFBIG.
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
  return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

}  // namespace vn::test
