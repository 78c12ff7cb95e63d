// Text in the real sheet: Windows-1252 names, characters it cannot hold,
// lists in reading order, and playlist paths in any encoding.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "config/configurecities.h"
#include "config/configuremusic.h"
#include "config/options.h"
#include "platform/gtk_page.h"
#include "sheet_script.h"
#include "support/temp_folder.h"
#include "utilitylib/registrystring.h"

namespace {

using Cities = CConfigureCities;
using Music = CConfigureMusic;

const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";

GtkWidget* entry_of(platform::DialogControls& dialog, int id) {
  const auto* control = Find_Control(&dialog, id);
  return control ? control->text_owner : nullptr;
}

class SheetText : public SheetTest {
 protected:
  platform::DialogControls& page(int index) { return *sheet.pages[index]->controls; }
};

TEST_F(SheetText, the_euro_is_stored_as_one_byte_and_a_polish_letter_is_refused_with_a_reason) {
  COptions::CurrentConfigureSheet.Set(3);
  COptions::CitiesHeading.Set("");
  std::string city, refusal;
  sheet.Run({
      [&] {
        Click_Control(page(3), Cities::IDC_HEADING);
        Type_Text("Prix 5 \u20AC");
        Click_Control(page(3), Cities::IDC_ADD_A_CITY);
      },
      [&] { Type_Text("\u0141\u00F3d\u017A"); },  // Łódź
      [&] {
        city = page(3).Get_Text(Cities::IDC_CITY);
        refusal = platform::gtk::shown_refusal(entry_of(page(3), Cities::IDC_CITY));
        Click_Control(page(3), platform::SHEET_OK_BUTTON);
      },
  });
  EXPECT_STREQ(COptions::CitiesHeading.Get(), "Prix 5 \x80");
  EXPECT_EQ(city, "\xF3" "d");  // what the code page holds, and no "?"
  EXPECT_NE(refusal.find("\u017A"), std::string::npos) << refusal;
}

TEST_F(SheetText, lists_sort_accented_and_lower_case_names_where_a_reader_looks) {
  write_file(Program_File("ob3d_uc.dat"), "aachen,-,GERMANY,50,46,0,6,5,2\n");
  COptions::CurrentConfigureSheet.Set(3);
  std::vector<int> places;
  std::string first;
  int count = 0;
  sheet.Run({
      [&] {
        first = page(3).List_Text(Cities::IDC_AVAILABLE, 0);
        for (const char* city : {"Copenhagen, DENMARK", "C\xF3rdoba, ARGENTINA",
                                 "Curitiba, BRAZIL", "Yekaterinburg, RUSSIA",
                                 "Z\xFCrich, SWITZERLAND"})
          places.push_back(page(3).List_Find(Cities::IDC_AVAILABLE, city));
        count = page(3).List_Count(Cities::IDC_AVAILABLE);
        Click_Control(page(3), platform::SHEET_OK_BUTTON);
      },
  });
  EXPECT_EQ(first, "aachen, GERMANY");
  ASSERT_EQ(places.size(), 5u);
  EXPECT_EQ(places[1], places[0] + 1);
  EXPECT_EQ(places[2], places[1] + 1);
  EXPECT_LT(places[3], places[4]);
  EXPECT_EQ(places[4], count - 1);
}

GtkFileChooser* open_file_chooser() {
  GList* windows = gtk_window_list_toplevels();
  GtkFileChooser* chooser = nullptr;
  for (GList* w = windows; w; w = w->next) {
    if (GTK_IS_FILE_CHOOSER_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data)))
      chooser = GTK_FILE_CHOOSER(w->data);
  }
  g_list_free(windows);
  return chooser;
}

bool offered(GtkFileChooser* chooser, const char* name) {
  GtkFileFilterInfo info{};
  info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
  info.display_name = name;
  return gtk_file_filter_filter(gtk_file_chooser_get_filter(chooser), &info);
}

TEST_F(SheetText, a_playlist_in_a_cyrillic_folder_is_kept_with_the_file_systems_bytes) {
  std::string folder = Program_File("\u041C\u0443\u0437\u044B\u043A\u0430");  // Музыка
  mkdir(folder.c_str(), 0755);
  std::string playlist = folder + "/\u043F\u043B\u0435\u0439\u043B\u0438\u0441\u0442.m3u";
  write_file(playlist, "#EXTM3U\n");
  COptions::CurrentConfigureSheet.Set(4);
  COptions::M3uFilename.Set("");
  std::vector<bool> offers;
  std::string shown;
  sheet.Run({
      [&] { Click_Control(page(4), Music::IDC_SELECT); },
      [&] {
        GtkFileChooser* chooser = open_file_chooser();
        ASSERT_TRUE(chooser);
        for (const char* name : {"a.m3u", "B.M3U", "c.m3u8", "d.mp3"})
          offers.push_back(offered(chooser, name));
        // The chooser is given the file as a user's choice would give it, so
        // that the test does not hang on typing into its location bar.
        ASSERT_TRUE(gtk_file_chooser_set_filename(chooser, playlist.c_str()));
      },
      [&] {
        if (GtkFileChooser* chooser = open_file_chooser())
          gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
      },
      [&] {
        if (GtkFileChooser* chooser = open_file_chooser()) {
          ADD_FAILURE() << "the chooser refused the playlist";
          gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
        }
      },
      [&] {
        shown = gtk_entry_get_text(GTK_ENTRY(entry_of(page(4), Music::IDC_M3U_FILE)));
        Click_Control(page(4), platform::SHEET_OK_BUTTON);
      },
  }, 700);
  EXPECT_EQ(offers, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(std::string(CRegistryString(OPTIONS_KEY, "M3uFilename", "").Get()), playlist);
  EXPECT_EQ(shown, playlist);
  COptions::M3uFilename.Set("");
}

}  // namespace
