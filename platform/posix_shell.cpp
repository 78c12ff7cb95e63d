// POSIX processes and the single-instance lock behind platform::ShellApi.
//
// Implemented: starting programs with posix_spawn (each in a session of its
// own), SIGTERM as the quit request (not waited for), an flock lock file
// that the kernel drops when its holder dies. Documents, their default
// applications and URLs: posix_shell_gio.cpp.
// Missing: a hidden start (an X client decides on its own windows; the
// saver keeps itself above them).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix_shell_gio.h"
#include "platform/shell.h"

extern char** environ;

namespace platform::posix {
namespace {

int lock_descriptor = -1;
std::vector<pid_t> detached_children;

int spawn(const std::vector<std::string>& argv, int* error_code) {
  if (argv.empty() || argv[0].empty()) {
    *error_code = ENOENT;
    return 0;
  }
  // The words go to the system unchanged: the program's path is the file
  // system's bytes, and the switches are ASCII.
  std::vector<std::string> words = argv;
  std::vector<char*> args;
  for (auto& word : words) args.push_back(word.data());
  args.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, args[0], nullptr, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (rc != 0) {
    *error_code = rc;
    return 0;
  }
  return int(pid);
}

// Collects the exit of every earlier detached child that has ended, so none
// lingers as a zombie while this process runs on.
void reap_detached_children() {
  std::erase_if(detached_children,
                [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool start_detached(const std::vector<std::string>& argv, int* error_code) {
  reap_detached_children();
  int pid = spawn(argv, error_code);
  if (pid == 0) return false;
  detached_children.push_back(pid);
  return true;
}

// The request is the signal alone: a player may take its time to end (or
// ignore it), and the saver's shut-down does not wait for it. GIO starts
// the player through an intermediate process, so it is no child of ours and
// leaves nothing to collect.
bool request_quit(int process_id) { return process_id > 0 && kill(process_id, SIGTERM) == 0; }

// The folder of per-session runtime files; ORBALUNE3D_HOME keeps all files
// of the program, the lock included, in one folder.
std::string lock_folder() {
  for (const char* variable : {"ORBALUNE3D_HOME", "XDG_RUNTIME_DIR"}) {
    const char* value = getenv(variable);
    if (value && *value) return value;
  }
  return "/tmp";
}

bool acquire_instance_lock(const char* name) {
  if (lock_descriptor >= 0) return false;
  std::string path = lock_folder() + "/" + name + "." + std::to_string(getuid()) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  lock_descriptor = fd;
  return true;
}

void release_instance_lock() {
  if (lock_descriptor < 0) return;
  close(lock_descriptor);
  lock_descriptor = -1;
}

}  // namespace

void connect_shell(ShellApi& shell) {
  shell.open_url = gio_open_url;
  shell.find_default_application = gio_find_default_application;
  shell.start_default_application = gio_start_default_application;
  shell.start_detached = start_detached;
  shell.request_quit = request_quit;
  shell.acquire_instance_lock = acquire_instance_lock;
  shell.release_instance_lock = release_instance_lock;
}

}  // namespace platform::posix
