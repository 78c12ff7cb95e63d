#include "sheet_script.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "config/configure.h"
#include "config/configurecities.h"
#include "config/configurecontrols.h"
#include "config/configureintro.h"
#include "config/configuremusic.h"
#include "config/configureoverview.h"
#include "platform/gtk_page.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "support/run_program.h"

namespace {

// A sheet still open by then has lost its way; end the test program.
constexpr int WATCHDOG_MS = 30000;

void run(const std::string& command) {
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "failed: " << command;
}

// Single quotes for the shell.
std::string shell_quoted(const std::string& text) {
  std::string result = "'";
  for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return result + "'";
}

}  // namespace

void RecordingPage::On_Init(platform::DialogControls& dialog) {
  controls = &dialog;
  real.On_Init(dialog);
}

void RecordingPage::On_Event(platform::DialogControls& dialog, int control_id,
                             platform::DialogEvent event) {
  if (control_id == 0) events.push_back(event);
  real.On_Event(dialog, control_id, event);
}

RecordedSheet::RecordedSheet() {
  real.push_back(std::make_unique<CConfigureIntro>());
  real.push_back(std::make_unique<CConfigureOverview>());
  real.push_back(std::make_unique<CConfigureControls>());
  real.push_back(std::make_unique<CConfigureCities>());
  real.push_back(std::make_unique<CConfigureMusic>());
  for (auto& page : real) pages.push_back(std::make_unique<RecordingPage>(*page));
}

RecordedSheet::~RecordedSheet() = default;

namespace {

// Runs the steps one after another, step_ms apart, starting once the sheet's
// window is on the screen; steps left when the sheet has closed do nothing.
void run_from(const std::vector<RecordingPage*>& pages,
              std::shared_ptr<std::vector<std::function<void()>>> steps, size_t next,
              int step_ms, std::shared_ptr<bool> sheet_open) {
  if (!*sheet_open || next >= steps->size()) return;
  bool on_screen = false;
  for (RecordingPage* page : pages) {
    if (page->controls && page->controls->Screen_Rect(platform::SHEET_OK_BUTTON)) on_screen = true;
  }
  if (!on_screen) {
    platform::api().dialog.post_task(
        100, [=] { run_from(pages, steps, next, step_ms, sheet_open); });
    return;
  }
  (*steps)[next]();
  platform::api().dialog.post_task(
      step_ms, [=] { run_from(pages, steps, next + 1, step_ms, sheet_open); });
}

}  // namespace

void RecordedSheet::Run(const std::vector<std::function<void()>>& steps, int step_ms) {
  auto& dialog = platform::api().dialog;
  std::vector<RecordingPage*> recorded;
  for (auto& page : pages) recorded.push_back(page.get());
  auto queue = std::make_shared<std::vector<std::function<void()>>>(steps);
  auto sheet_open = std::make_shared<bool>(true);
  dialog.post_task(step_ms, [=] { run_from(recorded, queue, 0, step_ms, sheet_open); });
  // A thread of its own, so that a sheet stuck outside its loop is caught too.
  auto running = std::make_shared<std::atomic<bool>>(true);
  std::thread([running] {
    for (int waited = 0; waited < WATCHDOG_MS; waited += 100) {
      if (!running->load(std::memory_order_acquire)) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "the sheet did not close\n");
    std::_Exit(3);
  }).detach();
  std::vector<platform::DialogPage*> list(recorded.begin(), recorded.end());
  CConfigure::Run_Property_Sheet(list);
  *sheet_open = false;
  running->store(false, std::memory_order_release);
}

bool Use_Private_Display(int width, int height) {
  static XServer server(24, width, height);
  if (!server.ok()) return false;
  setenv("DISPLAY", server.display().c_str(), 1);
  // No accessibility bus, settings daemon or virtual file systems in the
  // test environment: GTK would keep trying to reach them.
  setenv("NO_AT_BRIDGE", "1", 1);
  setenv("GSETTINGS_BACKEND", "memory", 1);
  setenv("GIO_USE_VFS", "local", 1);
  return true;
}

namespace {

// The xdotool command that moves the pointer to the middle of the rectangle.
std::string pointer_to(const platform::ScreenRect& rect) {
  return "xdotool mousemove " + std::to_string(rect.x + rect.width / 2) + " " +
         std::to_string(rect.y + rect.height / 2);
}

// Clicks the middle of the rectangle with the first button.
void click_at(const platform::ScreenRect& rect, int clicks) {
  run(pointer_to(rect) + " click --repeat " + std::to_string(clicks) + " --delay 80 1");
}

}  // namespace

void SheetTest::SetUp() {
  if (!Use_Private_Display()) GTEST_SKIP() << "Xvfb cannot run here";
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "no xdotool";
  // Each test starts without the city files that another one wrote.
  std::remove(Program_File("ob3d_uc.dat").c_str());
  std::remove(Program_File("ob3d_is.dat").c_str());
}

// The locations that the Cities page built.
void SheetTest::TearDown() { CSmartObjectMgr::Close(); }

std::string SheetTest::Program_File(const char* name) {
  return platform::api().system.program_folder() + "/" + name;
}

void Show_Page(RecordedSheet& sheet, int page) {
  for (auto& shown : sheet.pages) {
    if (auto* gtk_page = dynamic_cast<platform::gtk::GtkDialogPage*>(shown->controls)) {
      GtkWidget* notebook = gtk_widget_get_parent(gtk_page->Widget());
      gtk_notebook_set_current_page(GTK_NOTEBOOK(notebook), page);
      return;
    }
  }
  ADD_FAILURE() << "no page of the sheet is shown";
}

namespace {

template <typename Match>
const platform::gtk::GtkDialogPage::Control* find_control(platform::DialogControls* dialog,
                                                          Match match) {
  auto* page = dynamic_cast<platform::gtk::GtkDialogPage*>(dialog);
  if (page == nullptr) return nullptr;
  for (const auto* control : page->All_Controls()) {
    if (match(*control)) return control;
  }
  return nullptr;
}

}  // namespace

const platform::gtk::GtkDialogPage::Control* Find_Control(platform::DialogControls* dialog,
                                                          int id) {
  return find_control(dialog, [id](const auto& control) { return control.id == id; });
}

const platform::gtk::GtkDialogPage::Control* Find_Control(platform::DialogControls* dialog,
                                                          platform::ControlKind kind) {
  return find_control(dialog, [kind](const auto& control) { return control.kind == kind; });
}

int Focused_Control(platform::DialogControls& dialog) {
  const auto* focused = find_control(&dialog, [](const auto& control) {
    return gtk_widget_is_focus(control.widget) ||
           (control.text_owner && gtk_widget_is_focus(control.text_owner));
  });
  return focused ? focused->id : 0;
}

void Point_At(platform::DialogControls& dialog, int control_id) {
  auto rect = dialog.Screen_Rect(control_id);
  ASSERT_TRUE(rect) << "control " << control_id << " is not on the screen";
  Move_Pointer(*rect);
}

void Move_Pointer(const platform::ScreenRect& rect) { run(pointer_to(rect)); }

void Click_Control(platform::DialogControls& dialog, int control_id) {
  auto rect = dialog.Screen_Rect(control_id);
  ASSERT_TRUE(rect) << "control " << control_id << " is not on the screen";
  click_at(*rect, 1);
}

void Click_List_Entry(platform::DialogControls& dialog, int list, int index, int clicks) {
  auto* page = dynamic_cast<platform::gtk::GtkDialogPage*>(&dialog);
  ASSERT_TRUE(page) << "not a GTK page";
  auto rect = page->List_Row_Rect(list, index);
  ASSERT_TRUE(rect) << "entry " << index << " of list " << list << " is not in view";
  click_at(*rect, clicks);
}

void Press_Keys(const std::string& keys) { run("xdotool key " + keys); }

// Characters beyond ASCII go in through GTK's own hexadecimal entry
// (Ctrl+Shift+U), which needs no keyboard layout that has them.
void Type_Text(const std::string& utf8) {
  std::string ascii;
  auto flush = [&] {
    if (!ascii.empty()) run("xdotool type --delay 30 " + shell_quoted(ascii));
    ascii.clear();
  };
  for (const char* p = utf8.c_str(); *p; p = g_utf8_next_char(p)) {
    gunichar code = g_utf8_get_char(p);
    if (code < 0x80) {
      ascii += char(code);
      continue;
    }
    flush();
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", unsigned(code));
    std::string keys = "ctrl+shift+u";
    for (char* h = hex; *h; ++h) keys += std::string(" ") + *h;
    run("xdotool key --delay 30 " + keys + " space");
  }
  flush();
}

// Fontconfig keeps its caches until the process ends; under LeakSanitizer
// they would read as leaks of every test that shows a window.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// GLib, GIO and fontconfig synchronise their own worker threads in ways that
// ThreadSanitizer cannot see in these uninstrumented libraries.
extern "C" const char* __tsan_default_suppressions() {
  return "race:libglib-2.0.so\n"
         "race:libgio-2.0.so\n"
         "race:libgobject-2.0.so\n"
         "race:libfontconfig.so\n"
         "deadlock:libgobject-2.0.so\n"
         "deadlock:libglib-2.0.so\n";
}
