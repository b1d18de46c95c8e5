// Reading refuses what is not a regular file, by name and at once, and a file over its limit
// before it is read.
#include "platform/regular_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/file_system.h"
#include "support/test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace scenario::testing {
namespace {

struct NotAFile {
  const char* what;
  std::function<std::string(const TempDir&)> make;  // makes it, gives its path
  const char* kind;
};

TEST(RegularFile, ReadingRefusesWhatIsNotAFileAndSaysWhatItIs) {
  std::vector<NotAFile> cases{
      {"a folder",
       [](const TempDir& d) {
         std::filesystem::create_directory(d.file("R_T.dat"));
         return d.file("R_T.dat");
       },
       "a folder"},
#ifndef _WIN32
      // Opened for reading, a FIFO waits for a writer; the read must not.
      {"a FIFO",
       [](const TempDir& d) {
         ::mkfifo(d.file("fifo").c_str(), 0600);
         return d.file("fifo");
       },
       "a FIFO"},
      // Read whole, it grows without end.
      {"a link to /dev/zero",
       [](const TempDir& d) {
         std::filesystem::create_symlink("/dev/zero", d.file("zero_linea.txt"));
         return d.file("zero_linea.txt");
       },
       "a character device"},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string path = c.make(dir);
    RealFileSystem fs;
    EXPECT_EQ(not_a_regular_file(fs, path), path + " is " + c.kind + ", not a regular file");
    std::string bytes;
    std::string err;
    EXPECT_FALSE(fs.read(path, &bytes, &err));
    EXPECT_NE(err.find("not a regular file"), std::string::npos) << err;
    EXPECT_TRUE(bytes.empty());
  }
}

TEST(RegularFile, AFileOverItsLimitIsRefusedAndOneAtItIsRead) {
  TempDir dir;
  write_file(dir.file("a"), std::string(1000, 'x'));
  RealFileSystem fs;
  std::string bytes;
  std::string err;
  EXPECT_FALSE(fs.read_up_to(dir.file("a"), 999, &bytes, &err));
  EXPECT_EQ(err, "it holds 1000 bytes, more than the 999 such a file can hold");
  EXPECT_TRUE(fs.read_up_to(dir.file("a"), 1000, &bytes, &err));
  EXPECT_EQ(bytes.size(), 1000u);
  EXPECT_EQ(not_a_regular_file(fs, dir.file("a")), std::nullopt);
  EXPECT_EQ(not_a_regular_file(fs, dir.file("b")), "no such file: " + dir.file("b"));
}

}  // namespace
}  // namespace scenario::testing
