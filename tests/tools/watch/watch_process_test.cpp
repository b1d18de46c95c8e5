// `scenario_tool watch` as an author runs it: started on a folder of sources, it compiles once,
// then once per save however the editor saves (a new file renamed over the source, the source
// emptied and written in pieces, two saves in a row), so that the output folder always holds the
// set of the latest sources; another compile holding the folder's lock is waited for; a source
// with an error is told and the old set stays; a missing source is waited for; SIGINT ends it
// with 0.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <regex>
#include <thread>

#include "support/spawn_tool.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using namespace scenario::testing;
using namespace std::chrono_literals;

const std::string train_name = "Valdora_Lusa_24863-.txt";
const std::string line_name = "Valdora_Lusa_linea.txt";

int count_of(const std::string& text, const std::regex& pattern) {
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), {}));
}

// The built-in train source with its clock at 19:04 and `seconds` (the table file holds it).
std::string train_with_clock(const std::string& train, const std::string& seconds) {
  const std::string record = "orologio,    19              4             30";
  std::string text = train;
  const auto at = text.find(record);
  if (at != std::string::npos)
    text.replace(at, record.size(), record.substr(0, record.size() - 2) + seconds);
  return text;
}

// How an editor writes the file.
void save_by_rename(const std::string& path, const std::string& bytes) {
  write_file(path + ".swp~", bytes);
  std::filesystem::rename(path + ".swp~", path);
}

void save_in_place_in_pieces(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0);
  const std::size_t half = bytes.size() / 2;
  ASSERT_EQ(write(fd, bytes.data(), half), static_cast<ssize_t>(half));
  // Half a source compiles to errors: the watch must wait for the rest.
  std::this_thread::sleep_for(60ms);
  ASSERT_EQ(write(fd, bytes.data() + half, bytes.size() - half),
            static_cast<ssize_t>(bytes.size() - half));
  close(fd);
}

void save_twice(const std::string& path, const std::string& bytes) {
  save_by_rename(path, train_with_clock(bytes, "37"));
  std::this_thread::sleep_for(20ms);
  save_by_rename(path, bytes);
}

class WatchProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto made = run_command(shell_quote(SCENARIO_TOOL_PATH) + " template -o " +
                                  shell_quote(sources_.str()));
    ASSERT_EQ(made.exit_status, 0) << made.err;
    train_ = read_file(sources_.file(train_name));
    ASSERT_NE(train_with_clock(train_, "31"), train_);
    pid_ = spawn_program(SCENARIO_TOOL_PATH,
                         {"watch", sources_.file(line_name), sources_.file(train_name), "-o",
                          out_.str(), "--view", "--debounce", "150"},
                         {"/dev/null", logs_.file("out"), logs_.file("err")});
    ASSERT_GT(pid_, 0);
  }

  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  std::string printed() const { return read_file(logs_.file("out")); }
  int verdicts() const { return count_of(printed(), std::regex(R"(\d+ error\(s\), \d+ warning)")); }

  // Waits for the n-th verdict, then a while longer, for one that should not come.
  void expect_verdicts(int n) {
    const auto end = std::chrono::steady_clock::now() + 20s;
    while (verdicts() < n && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(20ms);
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(verdicts(), n) << printed() << read_file(logs_.file("err"));
  }

  // The table file `compile` makes of the sources as they are now.
  std::string table_compiled_now() {
    TempDir fresh;
    const auto compiled = run_command(
        shell_quote(SCENARIO_TOOL_PATH) + " compile " + shell_quote(sources_.file(line_name)) +
        " " + shell_quote(sources_.file(train_name)) + " -o " + shell_quote(fresh.str()));
    EXPECT_EQ(compiled.exit_status, 0) << compiled.err;
    return read_file(fresh.file("Valdora_Lusa_24863.sim"));
  }

  std::string table_in_out() const { return read_file(out_.file("Valdora_Lusa_24863.sim")); }

  TempDir sources_;
  TempDir out_;
  TempDir logs_;
  std::string train_;
  pid_t pid_ = -1;
};

TEST_F(WatchProcess, OneCleanCompilePerSaveHoweverSavedThenSigintEndsWithZero) {
  expect_verdicts(1);
  EXPECT_TRUE(table_in_out() == table_compiled_now());
  const std::string page = read_file(out_.file("Valdora_Lusa_24863.html"));
  EXPECT_NE(page.find("id=\"reload-hook\""), std::string::npos);
  const std::string first_stamp = read_file(out_.file("Valdora_Lusa_24863.stamp.js"));

  struct Save {
    const char* how;
    std::function<void(const std::string&, const std::string&)> save;
    const char* seconds;
  };
  const Save saves[] = {{"rename", save_by_rename, "31"},
                        {"in place, in pieces", save_in_place_in_pieces, "32"},
                        {"twice in a row", save_twice, "33"}};
  int expected = 1;
  for (const Save& s : saves) {
    SCOPED_TRACE(s.how);
    const std::string before = table_in_out();
    s.save(sources_.file(train_name), train_with_clock(train_, s.seconds));
    expect_verdicts(++expected);
    EXPECT_TRUE(table_in_out() == table_compiled_now());
    EXPECT_TRUE(table_in_out() != before);
  }
  const std::string out = printed();
  EXPECT_EQ(count_of(out, std::regex("0 error\\(s\\), 0 warning\\(s\\)\n")), expected) << out;
  EXPECT_EQ(count_of(out, std::regex("--- \\d\\d:\\d\\d:\\d\\d compile \\d+: " + train_name +
                                     " saved\n")),
            expected - 1)
      << out;
  EXPECT_NE(read_file(out_.file("Valdora_Lusa_24863.stamp.js")), first_stamp);

  // Another compile holding the output folder's lock: the run waits for it, then writes.
  const int lock = open(out_.file(".scenario.lock").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  save_by_rename(sources_.file(train_name), train_with_clock(train_, "34"));
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(verdicts(), expected);
  flock(lock, LOCK_UN);
  close(lock);
  expect_verdicts(++expected);
  EXPECT_TRUE(table_in_out() == table_compiled_now());

  // A mistake: told, nothing written, the watch goes on; the fix compiles again.
  const std::string good = table_in_out();
  std::string broken = train_;
  // A record keyword mistyped: the record is dropped, an error.
  broken.replace(broken.find("segnale"), 7, "segnalr");
  save_by_rename(sources_.file(train_name), broken);
  expect_verdicts(++expected);
  EXPECT_NE(printed().find("nothing written"), std::string::npos);
  EXPECT_TRUE(table_in_out() == good);
  save_by_rename(sources_.file(train_name), train_);
  expect_verdicts(++expected);
  EXPECT_TRUE(table_in_out() == table_compiled_now());

  // A source removed is waited for, not fatal.
  std::filesystem::remove(sources_.file(line_name));
  std::this_thread::sleep_for(500ms);
  EXPECT_NE(read_file(logs_.file("err")).find("is missing; waiting"), std::string::npos);
  EXPECT_EQ(verdicts(), expected);

  ASSERT_EQ(kill(pid_, SIGINT), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid_, &status, 0), pid_);
  pid_ = -1;
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  for (const std::string& name : list_folder(out_.path())) {
    EXPECT_FALSE(name.ends_with(".tmp") || name.ends_with(".old")) << name;
  }
}

}  // namespace
}  // namespace scenario::tool
