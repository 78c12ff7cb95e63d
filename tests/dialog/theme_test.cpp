// The real sheet on a light and a dark theme: links and the "Choose..."
// buttons stay readable, and the chosen colours show as swatches.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "config/configurecontrols.h"
#include "config/configureintro.h"
#include "config/options.h"
#include "platform/gtk_page.h"
#include "platform/platform.h"
#include "sheet_script.h"
#include "support/run_program.h"

namespace {

using C = CConfigureControls;

const char CHILD_VARIABLE[] = "OB3D_THEME_CHILD";
constexpr uint32_t WHITE = 0x00FFFFFF;
constexpr uint32_t DARK_BLUE = 0x00800000;  // 0x00BBGGRR
// WCAG's least contrasts for body text, and for links, which are underlined
// (Adwaita's dark link colour itself has 3.65).
constexpr double READABLE_CONTRAST = 4.5;
constexpr double LINK_CONTRAST = 3.0;

// The sheet's window as drawn, with the page in it.
struct Picture {
  explicit Picture(GtkWidget* inside) : window(gtk_widget_get_toplevel(inside)) {
    // A loaded machine may run a step before the toolkit's first layout of
    // the window; drawing then leaves widgets out, so the layout is done now.
    gtk_container_check_resize(GTK_CONTAINER(window));
    int width = gtk_widget_get_allocated_width(window);
    int height = gtk_widget_get_allocated_height(window);
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    gtk_widget_draw(window, cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
  }
  ~Picture() { cairo_surface_destroy(surface); }

  // The pixels that the widget covers, as 0xRRGGBB.
  std::vector<uint32_t> pixels_of(GtkWidget* widget) const {
    int x = 0, y = 0;
    gtk_widget_translate_coordinates(widget, window, 0, 0, &x, &y);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint32_t> pixels;
    for (int row = y; row < y + gtk_widget_get_allocated_height(widget); ++row) {
      for (int column = x; column < x + gtk_widget_get_allocated_width(widget); ++column)
        pixels.push_back(*reinterpret_cast<const uint32_t*>(data + row * stride + column * 4) &
                         0xFFFFFF);
    }
    return pixels;
  }

  GtkWidget* window;
  cairo_surface_t* surface;
};

double luminance(uint32_t rgb) {
  auto channel = [](uint32_t value) {
    double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel((rgb >> 16) & 0xFF) + 0.7152 * channel((rgb >> 8) & 0xFF) +
         0.0722 * channel(rgb & 0xFF);
}

double contrast(uint32_t a, uint32_t b) {
  double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a text's strokes with its background, the commonest colour.
double text_contrast(const std::vector<uint32_t>& pixels) {
  std::map<uint32_t, int> counts;
  for (uint32_t pixel : pixels) ++counts[pixel];
  uint32_t background = 0;
  int most = 0;
  for (const auto& [color, count] : counts) {
    if (count > most) background = color, most = count;
  }
  double best = 1.0;
  for (const auto& [color, count] : counts) best = std::max(best, contrast(color, background));
  return best;
}

// Run as a child of the test below, with GTK_THEME set.
TEST(SheetTheme, readable_on_one_theme_child) {
  if (!std::getenv(CHILD_VARIABLE)) GTEST_SKIP() << "runs only as a child";
  ASSERT_TRUE(Use_Private_Display());
  COptions::CurrentConfigureSheet.Set(0);
  COptions::SunColorEnum.Set(0);
  COptions::CustomSunColor.Set(int32_t(WHITE));
  COptions::NebulaColorEnum.Set(0);
  COptions::CustomNebulaColor.Set(int32_t(DARK_BLUE));
  RecordedSheet sheet;
  sheet.Run({
      [&] {
        for (int id : {CConfigureIntro::IDC_EMAIL, CConfigureIntro::IDC_WWW}) {
          auto* link = Find_Control(sheet.pages[0]->controls, id);
          ASSERT_TRUE(link);
          EXPECT_GE(text_contrast(Picture(link->widget).pixels_of(link->text_owner)),
                    LINK_CONTRAST)
              << "link " << id;
        }
        Show_Page(sheet, 2);
      },
      [&] {
        for (int id : {C::IDC_SUN_CUSTOM, C::IDC_NEBULA_CUSTOM}) {
          auto* choose = Find_Control(sheet.pages[2]->controls, id);
          ASSERT_TRUE(choose);
          Picture picture(choose->widget);
          EXPECT_GE(text_contrast(picture.pixels_of(choose->text_owner)), READABLE_CONTRAST)
              << "button " << id;
          if (id == C::IDC_NEBULA_CUSTOM) {
            auto pixels = picture.pixels_of(choose->widget);
            EXPECT_GT(std::count(pixels.begin(), pixels.end(), 0x000080u), 100)
                << "no swatch of the chosen colour";
          }
        }
        Click_Control(*sheet.pages[2]->controls, platform::SHEET_OK_BUTTON);
      },
  });
}

TEST(SheetTheme, links_and_colour_choices_are_readable_on_light_and_dark_themes) {
  std::string self = platform::api().system.module_file_name();
  for (const char* theme : {"Adwaita", "Adwaita:dark"}) {
    ProgramResult result =
        run_program({self, "--gtest_filter=SheetTheme.readable_on_one_theme_child"},
                    {{CHILD_VARIABLE, "1"}, {"GTK_THEME", theme}}, 60);
    EXPECT_EQ(result.exit_code, 0) << theme << ":\n" << result.out << result.err;
  }
}

}  // namespace
