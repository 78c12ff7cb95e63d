// The images of the GTK settings sheet: the picture resource and the icon
// resource, drawn into their boxes at any size with their aspect kept, and
// the program's icon on the sheet's window.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gtk_page.h"
#include "platform/platform.h"

namespace platform::gtk {
namespace {

// What a drawing area shows: the image sizes it may choose from, smallest
// first, and whether the chosen one may be drawn larger than it is.
struct Drawing {
  std::vector<GdkPixbuf*> sizes;
  bool may_enlarge = false;
};

void free_drawing(gpointer data) {
  auto* drawing = static_cast<Drawing*>(data);
  for (GdkPixbuf* image : drawing->sizes) g_object_unref(image);
  delete drawing;
}

// The largest size that fits the area, else the smallest.
GdkPixbuf* best_size(const Drawing& drawing, int width, int height) {
  GdkPixbuf* best = drawing.sizes.front();
  for (GdkPixbuf* image : drawing.sizes) {
    if (gdk_pixbuf_get_width(image) <= width && gdk_pixbuf_get_height(image) <= height)
      best = image;
  }
  return best;
}

// Centred in the widget, as large as the widget allows without distortion.
gboolean draw_image(GtkWidget* widget, cairo_t* cr, gpointer data) {
  const auto& drawing = *static_cast<Drawing*>(data);
  if (drawing.sizes.empty()) return FALSE;
  int width = gtk_widget_get_allocated_width(widget);
  int height = gtk_widget_get_allocated_height(widget);
  GdkPixbuf* image = best_size(drawing, width, height);
  double image_width = gdk_pixbuf_get_width(image);
  double image_height = gdk_pixbuf_get_height(image);
  double scale = std::min(width / image_width, height / image_height);
  if (!drawing.may_enlarge) scale = std::min(scale, 1.0);
  cairo_translate(cr, (width - image_width * scale) / 2, (height - image_height * scale) / 2);
  cairo_scale(cr, scale, scale);
  gdk_cairo_set_source_pixbuf(cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  return FALSE;
}

GtkWidget* make_drawing(Drawing* drawing) {
  GtkWidget* area = gtk_drawing_area_new();
  std::sort(drawing->sizes.begin(), drawing->sizes.end(), [](GdkPixbuf* a, GdkPixbuf* b) {
    return gdk_pixbuf_get_width(a) < gdk_pixbuf_get_width(b);
  });
  g_object_set_data_full(G_OBJECT(area), "ob3d-drawing", drawing, free_drawing);
  g_signal_connect(area, "draw", G_CALLBACK(draw_image), drawing);
  return area;
}

// An image file's bytes decoded, or null.
GdkPixbuf* decode(const uint8_t* data, size_t size, const char* type) {
  GdkPixbufLoader* loader = type ? gdk_pixbuf_loader_new_with_type(type, nullptr)
                                 : gdk_pixbuf_loader_new();
  if (loader == nullptr) return nullptr;
  GdkPixbuf* image = nullptr;
  bool complete = gdk_pixbuf_loader_write(loader, data, size, nullptr);
  complete = gdk_pixbuf_loader_close(loader, nullptr) && complete;
  if (complete && gdk_pixbuf_loader_get_pixbuf(loader))
    image = GDK_PIXBUF(g_object_ref(gdk_pixbuf_loader_get_pixbuf(loader)));
  g_object_unref(loader);
  return image;
}

uint32_t little_endian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

constexpr size_t ICON_HEADER_SIZE = 6;
constexpr size_t ICON_ENTRY_SIZE = 16;
const uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// One image of an icon file. Since Windows Vista an image may be a whole PNG
// file, which the toolkit's icon reader refuses; the others are bitmaps that
// it reads as an icon file of that one image.
GdkPixbuf* decode_icon_image(const uint8_t* entry, const uint8_t* image, size_t size) {
  if (size >= sizeof PNG_SIGNATURE && std::memcmp(image, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0)
    return decode(image, size, "png");
  std::vector<uint8_t> single(ICON_HEADER_SIZE + ICON_ENTRY_SIZE);
  single[2] = 1;  // type: icon
  single[4] = 1;  // one image
  std::memcpy(&single[ICON_HEADER_SIZE], entry, 12);  // everything but the offset
  single[ICON_HEADER_SIZE + 12] = uint8_t(single.size());
  single.insert(single.end(), image, image + size);
  return decode(single.data(), single.size(), "ico");
}

// Every image of an icon file that decodes; entries reaching past the end
// are skipped.
std::vector<GdkPixbuf*> decode_icon(const ResourceView& icon) {
  std::vector<GdkPixbuf*> images;
  if (icon.size < ICON_HEADER_SIZE) return images;
  size_t count = little_endian(icon.data + 4, 2);
  for (size_t i = 0; i < count; ++i) {
    size_t at = ICON_HEADER_SIZE + i * ICON_ENTRY_SIZE;
    if (at + ICON_ENTRY_SIZE > icon.size) break;
    const uint8_t* entry = icon.data + at;
    size_t size = little_endian(entry + 8, 4);
    size_t offset = little_endian(entry + 12, 4);
    if (offset > icon.size || size > icon.size - offset) continue;
    if (GdkPixbuf* image = decode_icon_image(entry, icon.data + offset, size))
      images.push_back(image);
  }
  return images;
}

ResourceView find_resource(int id, const char* type) {
  return api().resources.find ? api().resources.find(id, type) : ResourceView{nullptr, 0};
}

// The program's own icon, the one that Windows shows for the module.
constexpr int PROGRAM_ICON_RESOURCE = 100;

}  // namespace

GtkWidget* make_picture(const ControlTemplate& control) {
  auto* drawing = new Drawing;
  drawing->may_enlarge = true;
  ResourceView view = find_resource(control.resource, "BITMAP");
  if (view.data != nullptr) {
    if (GdkPixbuf* image = decode(view.data, view.size, nullptr)) drawing->sizes.push_back(image);
  }
  GtkWidget* frame = gtk_frame_new(nullptr);
  gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(frame), make_drawing(drawing));
  return frame;
}

GtkWidget* make_icon(const ControlTemplate& control) {
  auto* drawing = new Drawing;
  drawing->sizes = decode_icon(find_resource(control.resource, "ICON"));
  return make_drawing(drawing);
}

// Taken from the embedded resource, so that the sheet shows it whether or
// not the program's icons are installed.
void set_program_icon(GtkWindow* window) {
  std::vector<GdkPixbuf*> sizes = decode_icon(find_resource(PROGRAM_ICON_RESOURCE, "ICON"));
  GList* list = nullptr;
  for (GdkPixbuf* image : sizes) list = g_list_append(list, image);
  gtk_window_set_icon_list(window, list);
  g_list_free_full(list, g_object_unref);
}

}  // namespace platform::gtk
