// The Music page: the playlist file and whether its player starts with the saver.
#include "config/configuremusic.h"

#include "config/configure.h"
#include "config/options.h"
#include "utilitylib/utility.h"

namespace {

using platform::ControlKind;
using platform::DialogControls;
using platform::DialogEvent;
using M = CConfigureMusic;

std::vector<platform::ControlTemplate> build_controls() {
  return {
      {0, ControlKind::Label,
       "Orbalune 3D can launch an .m3u file when it starts. Simply check the checkbox and select "
       "an .m3u file using the Select dialog. Your default .m3u player will be started when "
       "Orbalune 3D starts.",
       19, 18, 354, 19},
      {0, ControlKind::Label,
       ".m3u files are playlists: they play a sequence of mp3 and other sound and music files in "
       "the player that your desktop opens them with, for example your favourite media player.",
       19, 39, 354, 20},
      {M::IDC_PLAY_MUSIC, ControlKind::CheckBox, "Launch .m3u player when Orbalune 3D starts", 19,
       73, 169, 10},
      {0, ControlKind::Label, ".m3u file:", 19, 95, 33, 8},
      {M::IDC_M3U_FILE, ControlKind::FileNameEdit, "", 56, 93, 266, 12},
      {M::IDC_SELECT, ControlKind::PushButton, "Select...", 329, 92, 52, 14},
  };
}

}  // namespace

CConfigureMusic::CConfigureMusic() : CConfigurePage(CConfigure::MUSIC_PAGE) {}

const platform::PageTemplate& CConfigureMusic::Template() const {
  static const platform::PageTemplate page{196, "     Music     ", build_controls()};
  return page;
}

void CConfigureMusic::On_Init(DialogControls& dialog) {
  CUtility::Log("CConfigureMusic::Cities_Dialog_Proc WM_INITDIALOG\n");
  Init_Controls(dialog);
}

void CConfigureMusic::Init_Controls(DialogControls& dialog) {
  dialog.Set_Checked(IDC_PLAY_MUSIC, COptions::PlayMusic.Get());
  dialog.Set_Text(IDC_M3U_FILE, COptions::M3uFilename.Get());
}

void CConfigureMusic::On_Event(DialogControls& dialog, int control_id, DialogEvent event) {
  if (Handle_Sheet_Notification(event) || event != DialogEvent::Clicked) return;
  if (control_id == IDC_PLAY_MUSIC) COptions::PlayMusic.Set(dialog.Is_Checked(IDC_PLAY_MUSIC));
  if (control_id == IDC_SELECT) Select_Playlist(dialog);
}

// The chooser only returns files that exist, with ".m3u" added to a name
// typed without an extension, in the file system's own bytes, which the
// option keeps as they are. Cancelling keeps the previous file.
void CConfigureMusic::Select_Playlist(DialogControls& dialog) {
  platform::FileChooserRequest request{"Select a .m3u Playlist", ".m3u Playlists",
                                       "*.m3u;*.m3u8", "m3u"};
  std::optional<std::string> chosen = dialog.Choose_File(request);
  if (!chosen) return;
  // The option holds 499 characters; a longer path would name another file.
  if (chosen->size() >= REGISTRY_TEXT_SIZE) {
    dialog.Beep();
    return;
  }
  COptions::M3uFilename.Set(chosen->c_str());
  Init_Controls(dialog);
}
