// The file store under concurrent writers, killed writers, damaged files, a
// folder where nothing can be saved, and large stores read once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "platform/file_store_format.h"
#include "platform/store_test_home.h"
#include "utilitylib/registry.h"
#include "utilitylib/registryint.h"

namespace {

const std::string KEY_PATH = std::string("HKEY_CURRENT_USER\\") + TEST_KEY;

// The words of the file's values under the program's key, by name; fails
// the test when a line of the file does not parse.
std::map<std::string, uint32_t> stored_words(const std::string& text) {
  const platform::file::StoreDocument document = platform::file::parse_store(text);
  EXPECT_EQ(document.first_unparsed_line, 0) << document.first_unparsed_text;
  std::map<std::string, uint32_t> words;
  std::string key;
  for (const platform::file::StoreEntry& entry : document.entries) {
    if (entry.kind == platform::file::StoreEntry::Kind::Key) key = entry.text;
    if (entry.kind != platform::file::StoreEntry::Kind::Value || key != KEY_PATH ||
        entry.data.size() != 4)
      continue;
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = (word << 8) | (unsigned char)entry.data[i];
    words[entry.text] = word;
  }
  return words;
}

std::string numbered(const std::string& prefix, int number) {
  return prefix + std::to_string(number);
}

// Each report comes once per process, so the tests that read reports run the
// store in a child; this process itself never touches the store.
using file_store = StoreHomeTest;

TEST_F(file_store, two_writing_processes_never_lose_each_others_values) {
  const int COUNT = 500;
  int start[2];
  ASSERT_EQ(pipe(start), 0);
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = fork();
    if (writers[w] == 0) {
      char go;
      if (read(start[0], &go, 1) != 1) _exit(2);
      for (int i = 0; i < COUNT; ++i)
        CRegistry::Store_Dword(TEST_KEY, numbered(w ? "B" : "A", i).c_str(), uint32_t(i));
      _exit(0);
    }
  }
  ASSERT_EQ(write(start[1], "gg", 2), 2);
  close(start[0]);
  close(start[1]);
  for (const pid_t writer : writers) {
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::map<std::string, uint32_t> words = stored_words(store_text());
  EXPECT_EQ(words.size(), size_t(2 * COUNT));
  for (int i = 0; i < COUNT; ++i) {
    for (const char* prefix : {"A", "B"}) {
      const auto found = words.find(numbered(prefix, i));
      ASSERT_NE(found, words.end()) << numbered(prefix, i);
      EXPECT_EQ(found->second, uint32_t(i));
    }
  }
}

// Starts a writer that sets R<round>_0, R<round>_1, ... and reports each
// Set that returned, kills it at a random moment, and returns the number
// of Sets it reported.
int confirmed_sets_before_kill(int round, std::mt19937& random) {
  int confirmations[2];
  if (pipe(confirmations) != 0) return -1;
  const pid_t writer = fork();
  if (writer == 0) {
    close(confirmations[0]);
    for (int i = 0;; ++i) {
      CRegistry::Store_Dword(TEST_KEY, numbered("R" + std::to_string(round) + "_", i).c_str(),
                             uint32_t(i));
      if (write(confirmations[1], "x", 1) != 1) _exit(2);
    }
  }
  close(confirmations[1]);
  usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(random));
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  int confirmed = 0;
  char byte;
  while (read(confirmations[0], &byte, 1) == 1) ++confirmed;
  close(confirmations[0]);
  return confirmed;
}

TEST_F(file_store, a_killed_writer_leaves_a_whole_file_with_every_returned_set) {
  const int ROUNDS = 200;
  std::mt19937 random(20261208);
  std::vector<int> confirmed;
  for (int round = 0; round < ROUNDS; ++round) {
    confirmed.push_back(confirmed_sets_before_kill(round, random));
    ASSERT_GE(confirmed.back(), 0);
    const std::map<std::string, uint32_t> words = stored_words(store_text());
    for (int r = 0; r <= round; ++r) {
      for (int i = 0; i < confirmed[r]; ++i) {
        const std::string name = numbered("R" + std::to_string(r) + "_", i);
        const auto found = words.find(name);
        ASSERT_NE(found, words.end()) << name << " lost after round " << round;
        ASSERT_EQ(found->second, uint32_t(i)) << name;
      }
    }
  }
}

TEST_F(file_store, unparsable_lines_survive_a_rewrite_and_the_first_is_reported) {
  write_store("\"Broken\"=dword:12\n\"Number\"=dword:00000005\nnoise\n");
  EXPECT_EXIT(
      {
        CRegistryInt number(TEST_KEY, "Number", 0);
        number.Set(6);
        std::exit(number.Get() == 6 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0),
      "store: .*ob3d_options.reg line 4 cannot be read and is kept as it is: "
      "\"Broken\"=dword:12\n");
  EXPECT_EQ(store_text(), std::string("Orbalune 3D Options Store 1\n\n") + TEST_KEY_LINE +
                              "\n\"Broken\"=dword:12\n\"Number\"=dword:00000006\nnoise\n");
}

TEST_F(file_store, an_unwritable_folder_keeps_values_in_memory_and_says_so_once) {
  write_file(home.file("not-a-folder"), "");
  setenv("ORBALUNE3D_HOME", home.file("not-a-folder/options").c_str(), 1);
  EXPECT_EXIT(
      {
        CRegistryInt number(TEST_KEY, "Number", 5);
        number.Set(6);
        const CRegistryInt again(TEST_KEY, "Number", 0);
        std::exit(again.Get() == 6 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0),
      "^Orbalune 3D: store: cannot save .*not-a-folder/options/ob3d_options.reg \\(Not a "
      "directory\\); changed options are kept in memory only\n$");
}

// Bytes this process has read through read() and the like so far.
long bytes_read_by_this_process() {
  const std::string io = read_file("/proc/self/io");
  const size_t at = io.find("rchar: ");
  return at == std::string::npos ? -1 : atol(io.c_str() + at + 7);
}

// Value lines "V0"=dword:00000000 ... of the given count.
std::string many_values(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "\"" + numbered("V", i) + "\"=dword:00000000\n";
  return lines;
}

TEST_F(file_store, a_large_store_is_read_once_however_many_values_are_read) {
  write_store(many_values(40000) + "\"Number\"=dword:00000005\n");
  const long store_size = long(store_text().size());
  EXPECT_EXIT(
      {
        const long before = bytes_read_by_this_process();
        bool all_read = CRegistryInt(TEST_KEY, "Number", 0).Get() == 5;
        for (int i = 0; i < 45; ++i)
          all_read =
              CRegistryInt(TEST_KEY, numbered("V", i * 800).c_str(), 1).Get() == 0 && all_read;
        const long read = bytes_read_by_this_process() - before;
        std::exit(all_read && read < 2 * store_size ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(file_store, a_write_reads_the_store_again_and_later_reads_see_what_it_wrote) {
  write_store("\"Number\"=dword:00000005\n");
  EXPECT_EXIT(
      {
        CRegistryInt number(TEST_KEY, "Number", 0);
        // Another process writes after this one has read the store.
        if (fork() == 0) {
          CRegistry::Store_Dword(TEST_KEY, "Other", 7);
          _exit(0);
        }
        wait(nullptr);
        number.Set(6);
        const CRegistryInt other(TEST_KEY, "Other", 0);
        std::exit(other.Get() == 7 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(stored_line("Number"), "\"Number\"=dword:00000006");
  EXPECT_EQ(stored_line("Other"), "\"Other\"=dword:00000007");
}

TEST_F(file_store, an_unreadable_line_is_reported_with_its_control_and_latin1_bytes_escaped) {
  write_store("noise \x1b[2J\x1b]0;title\x07 Z\xfcrich\t\x7f end\n");
  EXPECT_EXIT(
      {
        const CRegistryInt number(TEST_KEY, "Number", 0);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0),
      ::testing::HasSubstr("line 4 cannot be read and is kept as it is: noise "
                           "\\x1b[2J\\x1b]0;title\\x07 Z\\xfcrich\\x09\\x7f end\n"));
  EXPECT_NE(store_text().find("noise \x1b[2J\x1b]0;title\x07 Z\xfcrich\t\x7f end\n"),
            std::string::npos);
}

}  // namespace
