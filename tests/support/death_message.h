// Death-test message patterns that hold with both of GoogleTest's regular
// expression flavours: POSIX extended expressions on Linux, and its own simple
// ones on Windows, which know \d but neither bracket classes nor groups.
// Escaped punctuation such as \( and \+ means the character itself in both.
#pragma once

#include <gtest/gtest.h>

// The "(<line>)" of an assertion report, "<source> (<line>) Assert: <text>".
#if GTEST_USES_SIMPLE_RE
#define ASSERTION_LINE_RE "\\(\\d+\\)"
#else
#define ASSERTION_LINE_RE "\\([0-9]+\\)"
#endif
