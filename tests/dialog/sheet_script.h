// Drives a real settings sheet: pages that record what the sheet does to
// them, steps run on the dialog's thread while it runs, and real input from
// xdotool.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/gtk_page.h"

// Passes everything to the real page and remembers its controls and events.
class RecordingPage : public platform::DialogPage {
 public:
  explicit RecordingPage(platform::DialogPage& real) : real(real) {}
  const platform::PageTemplate& Template() const override { return real.Template(); }
  void On_Init(platform::DialogControls& dialog) override;
  void On_Event(platform::DialogControls& dialog, int control_id,
                platform::DialogEvent event) override;

  platform::DialogControls* controls = nullptr;
  std::vector<platform::DialogEvent> events;

 private:
  platform::DialogPage& real;
};

// The five real pages of the sheet, each wrapped.
struct RecordedSheet {
  RecordedSheet();
  ~RecordedSheet();
  std::vector<std::unique_ptr<platform::DialogPage>> real;
  std::vector<std::unique_ptr<RecordingPage>> pages;
  // Runs the sheet; each step runs step_ms after the one before.
  void Run(const std::vector<std::function<void()>>& steps, int step_ms = 500);
};

// Points DISPLAY at a private X server kept for the whole test program, of
// the size that the first call asks for; false when none can start.
bool Use_Private_Display(int width = 1280, int height = 1024);

// Shows the page of the sheet that runs (a notebook page switch).
void Show_Page(RecordedSheet& sheet, int page);

// The GTK widgets of a page's first control with this id, or of this kind
// (for controls without an id); null when the page has none.
const platform::gtk::GtkDialogPage::Control* Find_Control(platform::DialogControls* dialog,
                                                          int id);
const platform::gtk::GtkDialogPage::Control* Find_Control(platform::DialogControls* dialog,
                                                          platform::ControlKind kind);

// The control that has the keyboard focus in its page; 0 for none.
int Focused_Control(platform::DialogControls& dialog);

// Real pointer and keyboard input through the X server.
void Click_Control(platform::DialogControls& dialog, int control_id);
// Moves the pointer over the control, so that keys go to the sheet (without
// a window manager, keys go to the window under the pointer).
void Point_At(platform::DialogControls& dialog, int control_id);
// Moves the pointer to the middle of the rectangle.
void Move_Pointer(const platform::ScreenRect& rect);
// Clicks a list box's entry (it must be in view) once or twice.
void Click_List_Entry(platform::DialogControls& dialog, int list, int index, int clicks = 1);
void Press_Keys(const std::string& keys);
void Type_Text(const std::string& utf8);

// A test that drives the real sheet: skipped without Xvfb or xdotool.
class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A file in the program folder.
  static std::string Program_File(const char* name);

  RecordedSheet sheet;
};
