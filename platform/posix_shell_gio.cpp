// Default handlers of URLs and documents, as the desktop's associations
// (mimeapps.list and .desktop files) name them, found through GIO.
#include <gio/gio.h>

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

// A text with a scheme ("https:", "mailto:") is a URI already; anything else
// is a file path, made absolute.
std::string as_uri(const char* url) {
  if (g_uri_peek_scheme(url) != nullptr) return url;
  GRef<GFile> file(g_file_new_for_path(url));
  GText uri(g_file_get_uri(file.get()));
  return uri ? uri.get() : url;
}

// The document's content type by its contents when it can be read, else by
// its name.
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

}  // namespace

bool gio_open_url(const char* url, int* error_code) {
  GError* error = nullptr;
  std::string uri = as_uri(latin1_to_utf8(url).c_str());
  if (g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error)) return true;
  // GIO's first code is 0 ("failed"); callers need a non-zero code.
  *error_code = (error && error->code != 0) ? error->code : -1;
  if (error) g_error_free(error);
  return false;
}

std::string gio_find_default_application(const char* document) {
  std::string type = content_type_of(latin1_to_utf8(document).c_str());
  if (type.empty()) return "";
  GRef<GAppInfo> app(g_app_info_get_default_for_type(type.c_str(), FALSE));
  if (!app) return "";
  const char* executable = g_app_info_get_executable(app.get());
  if (!executable || !*executable) return "";
  GText full(g_find_program_in_path(executable));
  // A program whose path the program's own text cannot hold is not offered.
  return utf8_to_latin1(full ? full.get() : executable).value_or("");
}

}  // namespace platform::posix
