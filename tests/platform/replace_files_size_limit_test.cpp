// The size limit of a POSIX process, which Windows does not have.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/replace_files.h"
#include "support/test_support.h"

namespace scenario::testing {
namespace {

// A write that the operating system cuts off part-way (a file size limit), in a child process so
// that the limit does not reach the test program.
TEST(ReplaceFilesTest, AWriteCutOffByTheSizeLimitLeavesTheOldFile) {
  TempDir dir;
  write_file(dir.file("big.dat"), "old contents");
  const pid_t pid = fork();
  ASSERT_NE(pid, -1);
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    RealFileSystem fs;
    try {
      replace_file(fs, dir.file("big.dat"), std::string(1 << 20, 'y'));
    } catch (const FileError& e) {
      _exit(e.reason() == "File too large" ? 42 : 43);
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 42);
  EXPECT_EQ(read_file(dir.file("big.dat")), "old contents");
  EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"big.dat"});
}

}  // namespace
}  // namespace scenario::testing
