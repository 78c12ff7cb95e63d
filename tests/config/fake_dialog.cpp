// The toolkit-free stand-in for a sheet page used by the page logic tests.
#include "fake_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

using platform::ControlKind;
using platform::DialogEvent;

FakeDialog::FakeDialog(platform::DialogPage& page) : page(page) {
  int group = 0;
  for (const auto& control : page.Template().controls) {
    if (control.kind == ControlKind::RadioButton && control.starts_group) ++group;
    if (control.id == 0) continue;
    Control& entry = controls[control.id];
    entry.id = control.id;
    entry.kind = control.kind;
    entry.group = group;
    entry.text = control.text;
    entry.shown = !control.hidden;
  }
  page.On_Init(*this);
  page.On_Event(*this, 0, DialogEvent::PageActivated);
}

FakeDialog::Control& FakeDialog::Find(int id) {
  auto found = controls.find(id);
  if (found != controls.end()) return found->second;
  ADD_FAILURE() << "the page has no control " << id;
  missing = Control{};
  return missing;
}

void FakeDialog::Click(int id) {
  Control& control = Find(id);
  EXPECT_TRUE(control.enabled && control.shown) << "control " << id << " cannot be clicked";
  if (control.kind == ControlKind::CheckBox) control.checked = !control.checked;
  if (control.kind == ControlKind::RadioButton) Set_Checked(id, true);
  page.On_Event(*this, id, DialogEvent::Clicked);
}

void FakeDialog::Move_Slider(int id, int position) {
  Find(id).position = position;
  page.On_Event(*this, id, DialogEvent::Scrolled);
}

void FakeDialog::Select_Entry(int list, int index) {
  Find(list).selection = index;
  page.On_Event(*this, list, DialogEvent::SelectionChanged);
}

void FakeDialog::Double_Click(int list) { page.On_Event(*this, list, DialogEvent::DoubleClicked); }

void FakeDialog::Type(int id, const std::string& text) { Find(id).text = text; }

void FakeDialog::Page_Event(DialogEvent event) { page.On_Event(*this, 0, event); }

void FakeDialog::Set_Checked(int id, bool checked) {
  Control& control = Find(id);
  if (control.kind == ControlKind::RadioButton && checked) {
    for (auto& [other_id, other] : controls) {
      if (other.kind == ControlKind::RadioButton && other.group == control.group)
        other.checked = false;
    }
  }
  control.checked = checked;
}

void FakeDialog::Set_Slider(int id, int minimum, int maximum, int position) {
  Control& control = Find(id);
  control.minimum = minimum;
  control.maximum = maximum;
  control.position = position;
}

int FakeDialog::List_Add(int id, const std::string& text) {
  auto& entries = Find(id).entries;
  auto place = std::upper_bound(entries.begin(), entries.end(), text);
  int index = int(place - entries.begin());
  entries.insert(place, text);
  return index;
}

int FakeDialog::List_Find(int id, const std::string& text) {
  auto& entries = Find(id).entries;
  auto found = std::find(entries.begin(), entries.end(), text);
  return found == entries.end() ? -1 : int(found - entries.begin());
}

std::string FakeDialog::List_Text(int id, int index) {
  auto& entries = Find(id).entries;
  return index >= 0 && index < int(entries.size()) ? entries[index] : "";
}

void FakeDialog::List_Select(int id, int index) {
  Control& control = Find(id);
  control.selection = index >= 0 && index < int(control.entries.size()) ? index : -1;
}

void FakeDialog::List_Remove(int id, int index) {
  Control& control = Find(id);
  if (index < 0 || index >= int(control.entries.size())) return;
  control.entries.erase(control.entries.begin() + index);
  if (control.selection == index) control.selection = -1;
  if (control.selection > index) --control.selection;
}

bool FakeDialog::Ask_Yes_No(const std::string& question, const std::string&) {
  questions.push_back(question);
  return answer_yes;
}

std::optional<uint32_t> FakeDialog::Choose_Color(uint32_t initial) {
  color_presets.push_back(initial);
  return color_answer;
}

std::optional<std::string> FakeDialog::Choose_File(const platform::FileChooserRequest& request) {
  file_requests.push_back(request);
  return file_answer;
}
