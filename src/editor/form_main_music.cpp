// The main window's Tool menu command for the music manager.
#include "editor/form_main.h"
#include "music/form_music.h"

namespace gw {

void TFormMain::MenuItemMusicClick() {
  // Filling the lists may fail; the window is then not shown and the error reaches the caller.
  TFormMusic dialog(installFolder_, this);
  dialog.exec();
}

}  // namespace gw
