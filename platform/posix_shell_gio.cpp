// Default handlers of URLs and documents, as the desktop's associations
// (mimeapps.list and .desktop files) name them, found and started through GIO.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cerrno>
#include <memory>
#include <string>

#include "platform/posix_shell_gio.h"
#include "platform/text_encoding.h"

namespace platform::posix {
namespace {

struct GFree {
  void operator()(void* p) const { g_free(p); }
};
using GText = std::unique_ptr<char, GFree>;

struct GUnref {
  void operator()(void* p) const { g_object_unref(p); }
};
template <typename T>
using GRef = std::unique_ptr<T, GUnref>;

// GIO's first code is 0 ("failed"); callers need a non-zero code.
int error_code_of(GError* error) {
  const int code = (error && error->code != 0) ? error->code : -1;
  if (error) g_error_free(error);
  return code;
}

// A text with a scheme ("https:", "mailto:") is a URI already; anything else
// is a file path, made absolute.
std::string as_uri(const char* url) {
  if (g_uri_peek_scheme(url) != nullptr) return url;
  GRef<GFile> file(g_file_new_for_path(url));
  GText uri(g_file_get_uri(file.get()));
  return uri ? uri.get() : url;
}

// The document's content type by its contents when it can be read, else by
// its name (UTF-8 path).
std::string content_type_of(const char* document) {
  GRef<GFile> file(g_file_new_for_path(document));
  GRef<GFileInfo> info(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                         G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
  if (info) {
    const char* type = g_file_info_get_content_type(info.get());
    if (type) return type;
  }
  GText guessed(g_content_type_guess(document, nullptr, 0, nullptr));
  return guessed ? guessed.get() : "";
}

// The desktop entry that opens the document (UTF-8 path); null when none.
GRef<GAppInfo> default_application(const std::string& document) {
  const std::string type = content_type_of(document.c_str());
  if (type.empty()) return nullptr;
  return GRef<GAppInfo>(g_app_info_get_default_for_type(type.c_str(), FALSE));
}

// Without a startup notification id, and without one inherited from
// whoever started the saver, a window manager sees no launch by the user
// that would entitle the new window to the focus.
GRef<GAppLaunchContext> launch_without_startup_notification() {
  GRef<GAppLaunchContext> context(g_app_launch_context_new());
  g_app_launch_context_unsetenv(context.get(), "DESKTOP_STARTUP_ID");
  g_app_launch_context_unsetenv(context.get(), "XDG_ACTIVATION_TOKEN");
  return context;
}

void record_process_id(GDesktopAppInfo*, GPid pid, gpointer process_id) {
  *static_cast<GPid*>(process_id) = pid;
}

}  // namespace

// An address is the program's own Windows-1252 text; a file path is the file
// system's bytes, passed on unchanged.
bool gio_open_url(const char* url, int* error_code) {
  GError* error = nullptr;
  const bool address = g_uri_peek_scheme(url) != nullptr;
  std::string uri = as_uri(address ? windows1252_to_utf8(url).c_str() : url);
  if (g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error)) return true;
  *error_code = error_code_of(error);
  return false;
}

// The entry's whole command line, wrappers ("env VAR=1 player %U", Flatpak
// and Snap launchers) and field codes included, in the file system's bytes
// like the document's path beside it in the log.
std::string gio_find_default_application(const char* document) {
  GRef<GAppInfo> app = default_application(document);
  const char* command_line = app ? g_app_info_get_commandline(app.get()) : nullptr;
  return command_line ? command_line : "";
}

// The document goes to the entry's command line as a file (its path for %f,
// its URI for %u), as one argument whatever it contains. GIO spawns through
// an intermediate process and reports the player's own process id; a
// D-Bus-activated entry has none, and counts as not started here.
int gio_start_default_application(const char* document, bool, int* error_code) {
  const std::string path = document;  // the file system's bytes
  GRef<GAppInfo> app = default_application(path);
  if (!app || !G_IS_DESKTOP_APP_INFO(app.get())) {
    *error_code = ENOENT;
    return 0;
  }
  GRef<GFile> file(g_file_new_for_path(path.c_str()));
  GText uri(g_file_get_uri(file.get()));
  GList uris{uri.get(), nullptr, nullptr};
  GRef<GAppLaunchContext> context = launch_without_startup_notification();
  GPid process_id = 0;
  GError* error = nullptr;
  if (!g_desktop_app_info_launch_uris_as_manager(
          G_DESKTOP_APP_INFO(app.get()), &uris, context.get(), G_SPAWN_SEARCH_PATH, nullptr,
          nullptr, record_process_id, &process_id, &error)) {
    *error_code = error_code_of(error);
    return 0;
  }
  if (process_id <= 0) *error_code = ESRCH;
  return process_id > 0 ? int(process_id) : 0;
}

}  // namespace platform::posix
