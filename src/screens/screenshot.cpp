#include <cstdio>
#include <string>
#include <vector>

#include "app/game.h"
#include "core/report.h"
#include "gfx/bmp_encoder.h"
#include "saves/screenshot_file.h"

namespace kb {

void Game::TakeScreenshot() {
  EnterScreen("screenshot");
  // The picture on the screen when F1 was seen, before the prompt covers it.
  const Image shot = renderer.FrontBuffer();
  EnterFileName();

  char path[50] = {};
  std::snprintf(path, sizeof path, "%s\\%s.bmp", kScreenshotFolder, ScreenshotName.data());
  const std::vector<uint8_t> bytes = EncodeBmp(shot);
  // MENDED: the folder is made where it is missing; a failed save is reported
  // once.
  const bool saved =
      platform.files.MakeFolder(kScreenshotFolder) && platform.files.WriteFile(path, bytes);
  if (!saved) {
    // MENDED: the message is built whole; the fixed buffer it once had was two
    // bytes short for the longest name.
    ReportProblem(std::string("Der Screenshot \"") + path + "\" konnte nicht gespeichert werden.");
  }
  input.FlushKeyboard(100000);
}

}  // namespace kb
