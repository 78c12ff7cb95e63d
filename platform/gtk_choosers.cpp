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

}  // namespace

bool GtkDialogPage::Ask_Yes_No(const std::string& question, const std::string& caption) {
  GtkWidget* box = gtk_message_dialog_new(sheet, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                          GTK_BUTTONS_YES_NO, "%s",
                                          latin1_to_utf8(question).c_str());
  gtk_window_set_title(GTK_WINDOW(box), latin1_to_utf8(caption).c_str());
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
      latin1_to_utf8(request.title).c_str(), sheet, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
      GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, latin1_to_utf8(request.filter_name).c_str());
  gtk_file_filter_add_pattern(filter, request.filter_pattern.c_str());
  gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
  gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(chooser), filter);
  std::optional<std::string> chosen;
  while (!chosen && gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    char* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    std::string path = with_default_extension(name ? name : "", request.default_extension);
    g_free(name);
    // The program keeps file names as Latin-1, so a name it cannot hold, or
    // a file that does not exist, is refused and the chooser stays open.
    auto latin1 = utf8_to_latin1(path);
    if (latin1 && is_regular_file(path)) {
      chosen = *latin1;
    } else {
      Beep();
    }
  }
  gtk_widget_destroy(chooser);
  return chosen;
}

}  // namespace platform::gtk
