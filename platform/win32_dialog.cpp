// The settings sheet on Windows behind platform::DialogApi.
//
// Implemented: a modal property sheet (PropertySheetA) of the pages, each
// from a dialog template built in memory from its control table, with the
// tab titles as given, OK and Help, no Apply (PSH_NOAPPLYNOW) and the
// Cancel button hidden; owned by the window set with set_owner; opening on
// the given page; tasks run on the sheet's thread by a message posted to
// the sheet and a timer; a second settings process brings the sheet to
// the front. The module's manifest (resources/orbalune3d.manifest) makes
// the process DPI aware and gives the sheet comctl32 6, the system's look
// of the controls; without it (Windows 2000) the same sheet shows in the
// classic look.
#include "platform/win32_page.h"

#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "utilitylib/utility.h"

namespace platform::win32 {
namespace {

// The sheet's dialog class, which FindWindowA looks for.
constexpr char SHEET_CLASS[] = "#32770";
// The saver's own windows, which never own the sheet (see sheet_owner).
constexpr char SAVER_CLASS[] = "WindowsScreenSaverClass";
// Posted to the sheet when tasks wait to be started.
constexpr UINT START_TASKS = WM_APP + 1;

struct Task {
  int delay_ms;
  std::function<void()> run;
};

// post_task may be called before a sheet runs and from any thread; the
// tasks wait here until the sheet's thread starts their timers.
struct Tasks {
  std::mutex lock;
  std::vector<Task> waiting;     // guarded by lock
  std::map<UINT_PTR, Task> due;  // the sheet's thread only, by timer id
  // The sheet's thread only; far from the small ids of the sheet's own
  // timers, which pass on untouched.
  UINT_PTR next_timer = 0xB3D0;
};

Tasks& tasks() {
  static Tasks all;
  return all;
}

// The running sheet; release/acquire so that a thread that sees the window
// also sees it subclassed.
std::atomic<HWND> running_sheet{nullptr};
WNDPROC sheet_proc = nullptr;
HWND owner_window = nullptr;

void start_waiting_tasks(HWND sheet) {
  std::vector<Task> waiting;
  {
    std::lock_guard<std::mutex> guard(tasks().lock);
    waiting.swap(tasks().waiting);
  }
  for (Task& task : waiting) {
    UINT_PTR id = tasks().next_timer++;
    SetTimer(sheet, id, UINT(task.delay_ms < 0 ? 0 : task.delay_ms), nullptr);
    tasks().due.emplace(id, std::move(task));
  }
}

void run_due_task(HWND sheet, UINT_PTR id) {
  auto found = tasks().due.find(id);
  if (found == tasks().due.end()) return;
  KillTimer(sheet, id);
  std::function<void()> run = std::move(found->second.run);
  tasks().due.erase(found);
  run();
}

LRESULT CALLBACK sheet_window_proc(HWND sheet, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == START_TASKS) {
    start_waiting_tasks(sheet);
    return 0;
  }
  if (message == WM_TIMER && tasks().due.count(wparam)) {
    run_due_task(sheet, wparam);
    return 0;
  }
  return CallWindowProcA(sheet_proc, sheet, message, wparam, lparam);
}

// Timers still waiting when the sheet closes go back to wait for the next.
void stop_tasks(HWND sheet) {
  std::lock_guard<std::mutex> guard(tasks().lock);
  for (auto& [id, task] : tasks().due) {
    KillTimer(sheet, id);
    tasks().waiting.push_back(std::move(task));
  }
  tasks().due.clear();
}

// No Cancel: every change is stored at once. OK takes Cancel's place, so
// that OK and Help stand together at the right.
void keep_ok_and_help(HWND sheet) {
  HWND cancel = GetDlgItem(sheet, IDCANCEL);
  HWND ok = GetDlgItem(sheet, IDOK);
  if (cancel == nullptr) return;
  RECT place{};
  GetWindowRect(cancel, &place);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&place), 2);
  EnableWindow(cancel, FALSE);
  ShowWindow(cancel, SW_HIDE);
  if (ok) SetWindowPos(ok, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int CALLBACK sheet_callback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED || sheet == nullptr) return 0;
  keep_ok_and_help(sheet);
  sheet_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheet_window_proc)));
  running_sheet.store(sheet, std::memory_order_release);
  PostMessageA(sheet, START_TASKS, 0, 0);
  return 0;
}

// The owner that was set, while it exists. Without a window named on the
// command line the owner is the foreground window, which may be the saver
// that F1 closes as it starts the settings: its window going away would
// take an owned sheet with it, so the saver's windows own nothing.
HWND sheet_owner() {
  char name[64] = {};
  if (!IsWindow(owner_window) || (GetClassNameA(owner_window, name, sizeof name) &&
                                  lstrcmpA(name, SAVER_CLASS) == 0))
    return nullptr;
  return owner_window;
}

PROPSHEETPAGEA page_description(Win32DialogPage& page) {
  PROPSHEETPAGEA description{};
  description.dwSize = sizeof description;
  description.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | PSP_HASHELP;
  description.hInstance = GetModuleHandleA(nullptr);
  description.pResource = page.Dialog_Template();
  description.pfnDlgProc = Win32DialogPage::Dialog_Proc;
  description.pszTitle = page.Title();
  description.lParam = reinterpret_cast<LPARAM>(&page);
  return description;
}

bool run_property_sheet(const char* caption, const std::vector<DialogPage*>& pages,
                        int start_page) {
  if (pages.empty()) return false;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  std::vector<std::unique_ptr<Win32DialogPage>> adapters;
  std::vector<PROPSHEETPAGEA> descriptions;
  for (DialogPage* logic : pages) {
    adapters.push_back(std::make_unique<Win32DialogPage>(*logic));
    descriptions.push_back(page_description(*adapters.back()));
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_USECALLBACK;
  header.hwndParent = sheet_owner();
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption;
  header.nPages = UINT(descriptions.size());
  header.nStartPage = UINT(start_page >= 0 && start_page < int(pages.size()) ? start_page : 0);
  header.ppsp = descriptions.data();
  header.pfnCallback = sheet_callback;
  if (PropertySheetA(&header) < 0) {
    CUtility::Log("  PropertySheet failed: Error %lu.\n", GetLastError());
  }
  if (HWND sheet = running_sheet.exchange(nullptr, std::memory_order_acq_rel)) stop_tasks(sheet);
  return true;
}

void post_task(int delay_ms, std::function<void()> task) {
  {
    std::lock_guard<std::mutex> guard(tasks().lock);
    tasks().waiting.push_back(Task{delay_ms, std::move(task)});
  }
  if (HWND sheet = running_sheet.load(std::memory_order_acquire)) {
    PostMessageA(sheet, START_TASKS, 0, 0);
  }
}

// The sheet of another settings process, by its class and caption.
bool bring_sheet_to_front(const char* caption) {
  HWND sheet = FindWindowA(SHEET_CLASS, caption);
  if (sheet == nullptr) return false;
  if (IsIconic(sheet)) ShowWindow(sheet, SW_RESTORE);
  return SetForegroundWindow(sheet);
}

void set_owner(uintptr_t owner) { owner_window = reinterpret_cast<HWND>(owner); }

}  // namespace

void connect_dialog(DialogApi& dialog) {
  dialog.run_property_sheet = run_property_sheet;
  dialog.post_task = post_task;
  dialog.bring_sheet_to_front = bring_sheet_to_front;
  dialog.set_owner = set_owner;
}

}  // namespace platform::win32
