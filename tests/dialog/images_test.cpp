// The images of the real sheet: the Introduction picture keeps its aspect,
// the Overview icon, made of PNG images, is drawn, and the window has the
// program's icon.
#include <gtest/gtest.h>

#include "config/options.h"
#include "platform/gtk_page.h"
#include "sheet_script.h"

namespace {

using platform::ControlKind;

struct Drawn {
  int pixels = 0;  // not fully transparent
  int left = 0, top = 0, right = 0, bottom = 0;
};

// What the widget draws onto a transparent surface of its size.
Drawn draw(GtkWidget* widget) {
  int width = gtk_widget_get_allocated_width(widget);
  int height = gtk_widget_get_allocated_height(widget);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  gtk_widget_draw(widget, cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  Drawn drawn{0, width, height, 0, 0};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
      if ((pixel >> 24) == 0) continue;
      ++drawn.pixels;
      drawn = Drawn{drawn.pixels, std::min(drawn.left, x), std::min(drawn.top, y),
                    std::max(drawn.right, x + 1), std::max(drawn.bottom, y + 1)};
    }
  }
  cairo_surface_destroy(surface);
  return drawn;
}

GtkWidget* image_of(platform::DialogControls* dialog, ControlKind kind) {
  const auto* control = Find_Control(dialog, kind);
  if (control == nullptr) return nullptr;
  return GTK_IS_BIN(control->widget) ? gtk_bin_get_child(GTK_BIN(control->widget))
                                     : control->widget;
}

class SheetImages : public SheetTest {};

TEST_F(SheetImages, the_picture_keeps_its_aspect_and_the_icon_shows) {
  COptions::CurrentConfigureSheet.Set(0);
  Drawn picture, icon;
  sheet.Run({
      [&] {
        GtkWidget* widget = image_of(sheet.pages[0]->controls, ControlKind::Picture);
        ASSERT_TRUE(widget);
        picture = draw(widget);
        Show_Page(sheet, 1);
      },
      [&] {
        GtkWidget* widget = image_of(sheet.pages[1]->controls, ControlKind::Icon);
        ASSERT_TRUE(widget);
        icon = draw(widget);
        Click_Control(*sheet.pages[1]->controls, platform::SHEET_OK_BUTTON);
      },
  });
  ASSERT_GT(picture.pixels, 0);
  double aspect = double(picture.right - picture.left) / (picture.bottom - picture.top);
  EXPECT_NEAR(aspect, 500.0 / 289.0, 0.03);  // the bitmap's 500 x 289 pixels
  EXPECT_GT(icon.pixels, 16 * 16);
}

// Pixels of the image that are not fully transparent.
int opaque_pixels(GdkPixbuf* image) {
  int width = gdk_pixbuf_get_width(image);
  if (!gdk_pixbuf_get_has_alpha(image)) return width * gdk_pixbuf_get_height(image);
  const guchar* row = gdk_pixbuf_read_pixels(image);
  int channels = gdk_pixbuf_get_n_channels(image);
  int count = 0;
  for (int y = 0; y < gdk_pixbuf_get_height(image); ++y, row += gdk_pixbuf_get_rowstride(image)) {
    for (int x = 0; x < width; ++x) count += row[x * channels + 3] != 0;
  }
  return count;
}

TEST_F(SheetImages, the_window_shows_the_program_icon_in_every_size_it_has) {
  COptions::CurrentConfigureSheet.Set(0);
  std::vector<std::pair<int, int>> sizes;  // width, pixels drawn
  sheet.Run({[&] {
    auto* page = dynamic_cast<platform::gtk::GtkDialogPage*>(sheet.pages[0]->controls);
    ASSERT_TRUE(page);
    GList* icons = gtk_window_get_icon_list(GTK_WINDOW(gtk_widget_get_toplevel(page->Widget())));
    for (GList* icon = icons; icon; icon = icon->next) {
      auto* image = GDK_PIXBUF(icon->data);
      sizes.push_back({gdk_pixbuf_get_width(image), opaque_pixels(image)});
    }
    g_list_free(icons);
    Click_Control(*sheet.pages[0]->controls, platform::SHEET_OK_BUTTON);
  }});
  // The embedded icon holds 16, 32 and 48 pixel images.
  ASSERT_EQ(sizes.size(), 3u);
  for (const auto& [width, pixels] : sizes) EXPECT_GT(pixels, width * width / 4) << width;
}

}  // namespace
