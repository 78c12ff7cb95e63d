// The options store as one text file in the options folder (Linux backend).
//
// Implemented: keys created on first write, typed values, write-through in
// which every write is one read-modify-write under an exclusive flock on a
// lock file beside the store (re-read, change one value, write a temporary
// file, fsync, rename over the store, fsync the folder), so that concurrent
// writers never lose each other's values and a crash leaves the old file or
// the new one. The file is read and parsed once per process: later reads
// come from that document, and each write leaves the document it wrote (the
// store as re-read under the lock, with the change) in its place, so that a
// start costs one parse whatever the store's size. Unparsable lines survive
// rewrites; the first is logged, its control and non-ASCII bytes escaped.
// When the store cannot be saved the value is kept in memory for this
// process.
// Missing: keys without values do not appear in the file; changes that
// another process makes are seen only at this process's next write.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_store_format.h"
#include "platform/platform.h"
#include "utilitylib/utility.h"

struct platform::StoreKey {
  std::string path;  // "ROOT\path", as written in the file
};

namespace platform::file {
namespace {

const char STORE_FILE_NAME[] = "ob3d_options.reg";
const char LOCK_FILE_NAME[] = "ob3d_options.lock";
const char TEMP_SUFFIX[] = ".tmp";

struct PendingValue {
  std::string store_file, key, name;
  StoreType type;
  std::string data;
};

// Created by the first caller: the option objects use the store while the
// program's static objects are being constructed.
struct StoreState {
  std::mutex lock;
  std::vector<PendingValue> unsaved;  // values whose save failed, in write order
  // The store file as last read or written by this process, unsaved values
  // applied; empty until the first read of cached_path.
  std::string cached_path;
  std::optional<StoreDocument> cached;
  bool reported_unreadable = false;
  bool reported_unparsed = false;
  bool reported_unsaved = false;
};

StoreState& state() {
  static StoreState instance;
  return instance;
}

// Store problems go to the log and to standard error: they mostly happen
// while the options, logging among them, are still being read.
void report(const char* format, ...) __attribute__((format(printf, 1, 2)));
void report(const char* format, ...) {
  char message[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(message, sizeof message, format, args);
  va_end(args);
  CUtility::Log("store: %s\n", message);
  fprintf(stderr, "Orbalune 3D: store: %s\n", message);
}

// The errno of a failed step, never 0, so that a failure is never taken
// for success.
int failure() { return errno ? errno : EIO; }

std::string store_folder() { return api().system.options_folder(); }
std::string store_file() { return store_folder() + "/" + STORE_FILE_NAME; }

// The whole file; a missing file or folder is an empty store. False on a
// read error.
bool read_store_text(const std::string& path, std::string& text, int& error) {
  text.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return errno == ENOENT || errno == ENOTDIR;
  }
  char buffer[65536];
  ssize_t count;
  while ((count = read(fd, buffer, sizeof buffer)) != 0) {
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      error = errno;
      close(fd);
      return false;
    }
    text.append(buffer, size_t(count));
  }
  close(fd);
  return true;
}

StoreDocument parse_and_report(const std::string& path, const std::string& text) {
  StoreDocument document = parse_store(text);
  StoreState& s = state();
  if (document.first_unparsed_line && !s.reported_unparsed) {
    s.reported_unparsed = true;
    report("%s line %d cannot be read and is kept as it is: %s", path.c_str(),
           document.first_unparsed_line, printable_line(document.first_unparsed_text).c_str());
  }
  return document;
}

// Applies this process's unsaved values of one store file; true when that
// changed the document.
bool apply_unsaved(const std::string& path, StoreDocument& document) {
  bool changed = false;
  for (const PendingValue& value : state().unsaved) {
    if (value.store_file == path)
      changed = document.set(value.key, value.name, value.type, value.data) || changed;
  }
  return changed;
}

bool write_all(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t count = write(fd, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    done += size_t(count);
  }
  return true;
}

// Writes the text to a temporary file, makes it durable and renames it over
// the store; readers see the old file or the new one, never a part.
bool replace_store_file(const std::string& path, const std::string& text) {
  const std::string temp = path + TEMP_SUFFIX;
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  struct stat old_file {};
  if (stat(path.c_str(), &old_file) == 0) fchmod(fd, old_file.st_mode & 07777);
  const bool written = write_all(fd, text) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    errno = error;
    return false;
  }
  const int folder = open(store_folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

// Holds an exclusive flock on the lock file beside the store while alive.
class StoreFileLock {
 public:
  explicit StoreFileLock(const std::string& folder) {
    const std::string path = folder + "/" + LOCK_FILE_NAME;
    fd_ = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      close(fd_);
      fd_ = -1;
    }
  }
  ~StoreFileLock() {
    if (fd_ >= 0) close(fd_);
  }
  StoreFileLock(const StoreFileLock&) = delete;
  StoreFileLock& operator=(const StoreFileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

// One read-modify-write of the store with every unsaved value applied; the
// document read, with them, goes to `document`. Returns 0 on success, else
// the errno of the failed step.
int save_unsaved(const std::string& path, StoreDocument& document) {
  errno = 0;
  if (!api().system.make_folder(store_folder())) return failure();
  StoreFileLock file_lock(store_folder());
  if (!file_lock.held()) return failure();
  std::string text;
  int error = 0;
  if (!read_store_text(path, text, error)) return error;
  document = parse_and_report(path, text);
  if (!apply_unsaved(path, document)) return 0;
  return replace_store_file(path, format_store(document)) ? 0 : failure();
}

// The store as this process knows it, read and parsed on the first call
// for the current store file. The caller holds the state's lock.
const StoreDocument& cached_document() {
  StoreState& s = state();
  const std::string path = store_file();
  if (s.cached && s.cached_path == path) return *s.cached;
  std::string text;
  int error = 0;
  if (!read_store_text(path, text, error) && !s.reported_unreadable) {
    s.reported_unreadable = true;
    report("cannot read %s (%s); options take their defaults", path.c_str(), strerror(error));
  }
  s.cached_path = path;
  s.cached = parse_and_report(path, text);
  apply_unsaved(path, *s.cached);
  return *s.cached;
}

void forget_unsaved(const std::string& path) {
  std::vector<PendingValue>& unsaved = state().unsaved;
  std::erase_if(unsaved, [&](const PendingValue& value) { return value.store_file == path; });
}

bool valid_key_path(const char* path) {
  if (!path || !*path) return false;
  for (const char* c = path; *c; ++c) {
    if ((unsigned char)*c < 0x20) return false;
  }
  return true;
}

StoreKey* open_key(const StoreRoot& root, const char* path) {
  if (!root.name || !valid_key_path(path)) return nullptr;
  return new StoreKey{std::string(root.name) + "\\" + path};
}

void close_key(StoreKey* key) { delete key; }

bool set_value(StoreKey* key, const char* name, StoreType type, const void* data,
               size_t size) {
  if (!key || !name || (!data && size) || (type == StoreType::Dword && size != 4)) return false;
  std::string bytes(static_cast<const char*>(data), size);
  if (type == StoreType::String && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  StoreState& s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  const std::string path = store_file();
  std::erase_if(s.unsaved, [&](const PendingValue& value) {
    return value.store_file == path && value.key == key->path && value.name == name;
  });
  s.unsaved.push_back({path, key->path, name, type, bytes});
  StoreDocument saved;
  const int error = save_unsaved(path, saved);
  if (error == 0) {
    forget_unsaved(path);
    s.cached_path = path;
    s.cached = std::move(saved);
    return true;
  }
  if (s.cached && s.cached_path == path) s.cached->set(key->path, name, type, bytes);
  if (!s.reported_unsaved) {
    s.reported_unsaved = true;
    report("cannot save %s (%s); changed options are kept in memory only", path.c_str(),
           strerror(error));
  }
  return true;
}

bool query_value(StoreKey* key, const char* name, void* buffer, size_t* size,
                 StoreType* type) {
  if (!key || !name || !size || !type || (!buffer && *size)) return false;
  StoreState& s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  const StoreEntry* entry = cached_document().find(key->path, name);
  if (!entry) return false;
  const bool text = entry->type == StoreType::String;
  const size_t stored_size = entry->data.size() + (text ? 1 : 0);
  if (stored_size > *size) return false;
  memcpy(buffer, entry->data.data(), entry->data.size());
  if (text) static_cast<char*>(buffer)[entry->data.size()] = '\0';
  *size = stored_size;
  *type = entry->type;
  return true;
}

}  // namespace

void connect_store(StoreApi& store) {
  store.open_key = open_key;
  store.close_key = close_key;
  store.set_value = set_value;
  store.query_value = query_value;
}

}  // namespace platform::file
