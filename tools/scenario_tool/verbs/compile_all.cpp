// `compile --all`: every pair of sources under a few folders, each compiled into its own folder by
// the same code as a single `compile`, several at once, then a table of how each went.
#include <algorithm>
#include <chrono>
#include <set>
#include <sstream>
#include <thread>

#include "platform/paths.h"
#include "scenario_tool/batch/parallel.h"
#include "scenario_tool/batch/scenario_pairs.h"
#include "scenario_tool/batch/summary.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/verbs/warning_flags.h"

namespace scenario::tool {

namespace {

struct Compiled {
  BatchRow row;
  std::string messages;  // the compile's diagnostics, as a single compile gives them
};

Compiled compile_pair(const CompileOptions& batch, const ScenarioPair& pair, FileSystem& fs) {
  CompileOptions one = batch;
  one.line_source = pair.line_source;
  one.train_source = pair.train_source;
  one.out_dir = pair.folder;
  one.route_id = pair.route_id;
  one.train_number = pair.train_number;
  std::ostringstream out;
  std::ostringstream err;
  const auto start = std::chrono::steady_clock::now();
  const CompileOutcome outcome = compile_scenario(one, fs, out, err);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  BatchRow row{join_path(pair.folder, pair.route_id + "_" + pair.train_number),
               outcome.status,
               status_word(outcome.status),
               outcome.warnings,
               outcome.codes,
               took.count(),
               outcome.errors};
  return {std::move(row), err.str()};
}

// The progress line, rewritten in place on a terminal; cleared before anything else is written.
class Progress {
 public:
  Progress(bool shown, std::size_t total, std::ostream& err)
      : shown_(shown), total_(total), err_(err) {}

  void clear() {
    if (shown_ && width_ > 0) err_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
    width_ = 0;
  }
  void show(std::size_t done) {
    if (!shown_) return;
    const std::string line =
        "compile --all: " + std::to_string(done) + " of " + std::to_string(total_) + " done";
    clear();
    err_ << line << std::flush;
    width_ = line.size();
  }

 private:
  bool shown_;
  std::size_t total_;
  std::ostream& err_;
  std::size_t width_ = 0;
};

unsigned worker_count(unsigned asked) {
  if (asked > 0) return asked;
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

int run_compile_all(const CompileAllOptions& options, FileSystem& fs, std::ostream& out,
                    std::ostream& err) {
  std::set<std::string> silenced;
  if (!silenced_warnings(options.each.warning_flags, silenced, err)) return exit_code::usage;
  const BatchSources found = find_scenario_pairs(fs, options.folders);
  std::vector<BatchRow> rows;
  for (const std::string& folder : found.missing_folders) {
    report_error(err, "no such folder: " + folder);
  }
  for (const std::string& what : found.unreadable) {
    report_error(err, "cannot list " + what);
  }
  // Rows are kept in the order the pairs were found, whatever order they finish in.
  std::vector<std::vector<std::size_t>> row_of_group;
  for (const RouteGroup& group : found.groups) {
    row_of_group.emplace_back();
    for (const ScenarioPair& pair : group.pairs) {
      row_of_group.back().push_back(rows.size());
      rows.emplace_back().scenario =
          join_path(pair.folder, pair.route_id + "_" + pair.train_number);
    }
  }
  const std::size_t compiled_rows = rows.size();
  for (const std::string& lone : found.lone_trains) {
    BatchRow& row = rows.emplace_back();
    row.scenario = lone;
    row.status = exit_code::io_failure;
    row.status_text = "no ROUTE_linea.txt beside it";
  }
  if (rows.empty()) {
    report_error(err, "no ROUTE_linea.txt and ROUTE_TRAIN-.txt pair found");
    return exit_code::io_failure;
  }
  std::vector<std::string> messages(compiled_rows);
  Progress progress(options.progress, compiled_rows, err);
  std::size_t done = 0;
  run_in_parallel(
      found.groups.size(), worker_count(options.jobs),
      [&](std::size_t g) {
        const RouteGroup& group = found.groups[g];
        for (std::size_t i = 0; i < group.pairs.size(); ++i) {
          Compiled c = compile_pair(options.each, group.pairs[i], fs);
          rows[row_of_group[g][i]] = std::move(c.row);
          messages[row_of_group[g][i]] = std::move(c.messages);
        }
      },
      [&](std::size_t g) {
        for (std::size_t row : row_of_group[g]) {
          if (messages[row].empty()) continue;
          progress.clear();
          err << messages[row];
        }
        done += row_of_group[g].size();
        progress.show(done);
      });
  progress.clear();
  write_summary(rows, out);
  const int status = worst_status(rows);
  const bool folder_failed = !found.missing_folders.empty() || !found.unreadable.empty();
  return folder_failed ? worse_status(status, exit_code::io_failure) : status;
}

}  // namespace scenario::tool
