// Starts a program as a child process with its standard streams on files, for the tests that run
// the tool as a user's shell would. POSIX only: those tests are left out of the Windows build.
#pragma once

#ifndef _WIN32

#include <fcntl.h>
#include <spawn.h>

#include <string>
#include <vector>

extern char** environ;

namespace scenario::testing {

// The files the child's streams are opened on; an empty name leaves the stream inherited.
struct StreamFiles {
  std::string in;
  std::string out;
  std::string err;
};

// A pointer to each word, then a null pointer, as argv and envp are; the words must outlive it.
inline std::vector<char*> null_ended(std::vector<std::string>& words) {
  std::vector<char*> out;
  for (std::string& w : words) out.push_back(w.data());
  out.push_back(nullptr);
  return out;
}

// Starts `program` with `args` after its own name, in `envp` (null: this process's environment).
// -1 when it cannot be started.
inline pid_t spawn_program(const std::string& program, std::vector<std::string> args,
                           const StreamFiles& files, char* const* envp = nullptr) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!files.in.empty())
    posix_spawn_file_actions_addopen(&actions, 0, files.in.c_str(), O_RDONLY, 0);
  for (const auto& [fd, name] : {std::pair{1, &files.out}, std::pair{2, &files.err}}) {
    if (!name->empty()) {
      posix_spawn_file_actions_addopen(&actions, fd, name->c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0600);
    }
  }
  args.insert(args.begin(), program);
  const std::vector<char*> argv = null_ended(args);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(),
                             envp != nullptr ? envp : environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

}  // namespace scenario::testing

#endif
