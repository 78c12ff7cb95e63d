// A page's controls without a toolkit: plain state built from the page's
// template, plus user actions that drive the page logic as a sheet would.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"

class FakeDialog : public platform::DialogControls {
 public:
  // Initialises the page as the sheet does when it is first shown.
  explicit FakeDialog(platform::DialogPage& page);

  // User actions: each changes the control, then reports the event.
  void Click(int id);
  void Move_Slider(int id, int position);
  void Select_Entry(int list, int index);
  void Double_Click(int list);
  void Type(int id, const std::string& text);
  void Page_Event(platform::DialogEvent event);

  // Scripted answers of the modal helpers.
  bool answer_yes = true;
  std::optional<uint32_t> color_answer;
  std::optional<std::string> file_answer;

  // What the logic asked for.
  int beeps = 0;
  std::vector<std::string> questions;
  std::vector<uint32_t> color_presets;
  std::vector<platform::FileChooserRequest> file_requests;
  int focused = 0;

  uint32_t Text_Color(int id) { return Find(id).color; }
  int Slider_Maximum(int id) { return Find(id).maximum; }
  bool Is_Shown(int id) { return Find(id).shown; }
  std::vector<std::string> Entries(int list) { return Find(list).entries; }

  bool Is_Checked(int id) override { return Find(id).checked; }
  void Set_Checked(int id, bool checked) override;
  void Enable(int id, bool enabled) override { Find(id).enabled = enabled; }
  bool Is_Enabled(int id) override { return Find(id).enabled; }
  void Show(int id, bool shown) override { Find(id).shown = shown; }
  std::string Get_Text(int id) override { return Find(id).text; }
  void Set_Text(int id, const std::string& text) override { Find(id).text = text; }
  void Set_Text_Color(int id, uint32_t color) override { Find(id).color = color; }
  void Set_Slider(int id, int minimum, int maximum, int position) override;
  int Get_Slider(int id) override { return Find(id).position; }
  void Focus(int id) override { focused = Find(id).id; }
  std::optional<platform::ScreenRect> Screen_Rect(int) override { return std::nullopt; }

  int List_Add(int id, const std::string& text) override;
  int List_Find(int id, const std::string& text) override;
  int List_Count(int id) override { return int(Find(id).entries.size()); }
  std::string List_Text(int id, int index) override;
  int List_Selection(int id) override { return Find(id).selection; }
  void List_Select(int id, int index) override;
  void List_Remove(int id, int index) override;

  void Beep() override { ++beeps; }
  bool Ask_Yes_No(const std::string& question, const std::string&) override;
  std::optional<uint32_t> Choose_Color(uint32_t initial) override;
  std::optional<std::string> Choose_File(const platform::FileChooserRequest& request) override;

 private:
  struct Control {
    int id = 0;
    platform::ControlKind kind = platform::ControlKind::Label;
    int group = 0;  // radio buttons of one set share it
    bool checked = false, enabled = true, shown = true;
    std::string text;
    uint32_t color = 0;
    int minimum = 0, maximum = 0, position = 0;
    std::vector<std::string> entries;
    int selection = -1;
  };
  Control& Find(int id);

  platform::DialogPage& page;
  std::map<int, Control> controls;
  Control missing;
};
