// The modal helpers of a GTK settings page: question box, colour chooser,
// file chooser.
#include <sys/stat.h>

#include <string>

#include "platform/gtk_page.h"
#include "platform/text_encoding.h"

namespace platform::gtk {
namespace {

GdkRGBA rgba_of(uint32_t bgr) {
  return GdkRGBA{(bgr & 0xFF) / 255.0, ((bgr >> 8) & 0xFF) / 255.0,
                 ((bgr >> 16) & 0xFF) / 255.0, 1.0};
}

uint32_t bgr_of(const GdkRGBA& rgba) {
  auto byte = [](double channel) { return uint32_t(channel * 255.0 + 0.5) & 0xFF; };
  return byte(rgba.red) | (byte(rgba.green) << 8) | (byte(rgba.blue) << 16);
}

bool is_regular_file(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A name typed without an extension gets the default one.
std::string with_default_extension(const std::string& path, const std::string& extension) {
  size_t slash = path.rfind('/');
  size_t dot = path.rfind('.');
  bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return has_extension || extension.empty() ? path : path + "." + extension;
}

// The request's patterns, separated by ';', each also in upper case: file
// names on Linux keep their case, and a playlist may end in ".M3U".
GtkFileFilter* file_filter(const FileChooserRequest& request) {
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, windows1252_to_utf8(request.filter_name).c_str());
  gchar** patterns = g_strsplit(request.filter_pattern.c_str(), ";", -1);
  for (gchar** pattern = patterns; *pattern; ++pattern) {
    gtk_file_filter_add_pattern(filter, *pattern);
    gchar* upper = g_ascii_strup(*pattern, -1);
    gtk_file_filter_add_pattern(filter, upper);
    g_free(upper);
  }
  g_strfreev(patterns);
  return filter;
}

}  // namespace

bool GtkDialogPage::Ask_Yes_No(const std::string& question, const std::string& caption) {
  GtkWidget* box = gtk_message_dialog_new(sheet, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                          GTK_BUTTONS_YES_NO, "%s",
                                          windows1252_to_utf8(question).c_str());
  gtk_window_set_title(GTK_WINDOW(box), windows1252_to_utf8(caption).c_str());
  int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  return response == GTK_RESPONSE_YES;
}

std::optional<uint32_t> GtkDialogPage::Choose_Color(uint32_t initial) {
  GtkWidget* chooser = gtk_color_chooser_dialog_new(nullptr, sheet);
  gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(chooser), FALSE);
  GdkRGBA color = rgba_of(initial);
  gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(chooser), &color);
  std::optional<uint32_t> chosen;
  if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_OK) {
    gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(chooser), &color);
    chosen = bgr_of(color);
  }
  gtk_widget_destroy(chooser);
  return chosen;
}

std::optional<std::string> GtkDialogPage::Choose_File(const FileChooserRequest& request) {
  GtkWidget* chooser = gtk_file_chooser_dialog_new(
      windows1252_to_utf8(request.title).c_str(), sheet, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
      GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileFilter* filter = file_filter(request);
  gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
  gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(chooser), filter);
  std::optional<std::string> chosen;
  while (!chosen && gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    // The file system's own bytes: a name is never converted, so any name
    // the file system holds can be opened again.
    char* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    std::string path = with_default_extension(name ? name : "", request.default_extension);
    g_free(name);
    // A name typed without its extension may name no file: the chooser
    // stays open.
    if (is_regular_file(path)) {
      chosen = path;
    } else {
      Beep();
    }
  }
  gtk_widget_destroy(chooser);
  return chosen;
}

}  // namespace platform::gtk
