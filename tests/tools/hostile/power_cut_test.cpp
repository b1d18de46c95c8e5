// A power cut right after a compile ended, on a real ext4 file system: the file system is shut
// down without writing its journal (the shutdown ioctl, as xfstests simulate a cut) and mounted
// again. The compile synced its files and the folder before it ended, so the new set is there,
// whole. Needs root and loop devices; skipped with the reason where the machine has neither.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "support/test_support.h"

namespace scenario::tool {
namespace {

using namespace scenario::testing;

// The ext4 shutdown ioctl and its flag that drops the journal's unwritten part.
constexpr unsigned long kShutdown = _IOR('X', 125, std::uint32_t);
constexpr std::uint32_t kNoLogFlush = 2;

const std::vector<std::string> kCompiled{"Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim",
                                         "Valdora_Lusa_linea.dat"};

class LoopMount {
 public:
  explicit LoopMount(const TempDir& dir)
      : image_(dir.file("ext4.img")), mount_point_(dir.file("mnt")) {
    std::filesystem::create_directory(mount_point_);
  }
  ~LoopMount() { unmount(); }

  // Empty when mounted, else why not.
  std::string make_and_mount() {
    if (::geteuid() != 0) return "not root: a loop device cannot be mounted";
    const auto made = run_command("truncate -s 64M " + shell_quote(image_) +
                                  " && mkfs.ext4 -q -F " + shell_quote(image_));
    if (made.exit_status != 0) return "mkfs.ext4 failed: " + made.err;
    return mount();
  }
  std::string mount() {
    const auto r =
        run_command("mount -o loop " + shell_quote(image_) + " " + shell_quote(mount_point_));
    mounted_ = r.exit_status == 0;
    return mounted_ ? "" : "cannot mount a loop device here: " + r.err;
  }
  void unmount() {
    if (mounted_) run_command("umount " + shell_quote(mount_point_));
    mounted_ = false;
  }
  // The power cut: what the journal has not written is lost.
  bool cut_power() {
    const int fd = ::open(mount_point_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    std::uint32_t flag = kNoLogFlush;
    const bool done = ::ioctl(fd, kShutdown, &flag) == 0;
    ::close(fd);
    return done;
  }
  const std::string& path() const { return mount_point_; }

 private:
  std::string image_;
  std::string mount_point_;
  bool mounted_ = false;
};

std::string tool() { return shell_quote(SCENARIO_TOOL_PATH); }

int compile(const std::string& from, const std::string& to) {
  return run_command(tool() + " compile " + shell_quote(from + "/Valdora_Lusa_linea.txt") + " " +
                     shell_quote(from + "/Valdora_Lusa_24863-.txt") + " -o " + shell_quote(to))
      .exit_status;
}

TEST(PowerCut, TheSetACompileEndedWithSurvivesACutRightAfter) {
  TempDir dir;
  LoopMount disk(dir);
  const std::string why = disk.make_and_mount();
  if (!why.empty()) GTEST_SKIP() << why;
  const std::string a = dir.file("A");
  const std::string b = dir.file("B");
  ASSERT_EQ(run_command(tool() + " template -o " + shell_quote(a)).exit_status, 0);
  ASSERT_EQ(run_command("mkdir " + shell_quote(b) +
                        " && sed 's/^curvad2,  12900, 800/curvad3,  "
                        "12900, 800/' " +
                        shell_quote(a + "/Valdora_Lusa_linea.txt") + " >" +
                        shell_quote(b + "/Valdora_Lusa_linea.txt") + " && cp " +
                        shell_quote(a + "/Valdora_Lusa_24863-.txt") + " " + shell_quote(b))
                .exit_status,
            0);
  ASSERT_EQ(compile(b, b), 0);
  const std::string out = disk.path() + "/out";
  ASSERT_EQ(compile(a, out), 0);
  ASSERT_EQ(run_command("sync").exit_status, 0);  // the old set is on the disk
  ASSERT_EQ(compile(b, out), 0);
  ASSERT_TRUE(disk.cut_power()) << "the shutdown ioctl failed";
  disk.unmount();
  ASSERT_EQ(disk.mount(), "");
  for (const std::string& name : kCompiled) {
    EXPECT_EQ(read_file(out + "/" + name), read_file(b + "/" + name)) << name;
  }
}

}  // namespace
}  // namespace scenario::tool
