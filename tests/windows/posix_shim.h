// The few POSIX calls the portable tests make, for their Windows build
// (forced in with -include; the Microsoft runtime has them under other
// names or not at all).
#pragma once

#include <direct.h>
#include <errno.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>

#ifdef __cplusplus

inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && getenv(name)) return 0;
  return _putenv_s(name, value) == 0 ? 0 : -1;
}

inline int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }

inline int mkdir(const char* path, int) { return _mkdir(path); }

// The XXXXXX tail is replaced until a new folder could be made.
inline char* mkdtemp(char* pattern) {
  const size_t length = strlen(pattern);
  char* tail = pattern + length - 6;
  for (int attempt = 0; attempt < 100; ++attempt) {
    memcpy(tail, "XXXXXX", 6);
    if (_mktemp_s(pattern, length + 1) != 0) return nullptr;
    if (_mkdir(pattern) == 0) return pattern;
  }
  return nullptr;
}

// Windows has no signals to send; the test that sends one is filtered out.
inline int kill(int, int) {
  errno = ENOSYS;
  return -1;
}

#endif
