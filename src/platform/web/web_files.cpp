#include "platform/web/web_files.h"

#include <emscripten.h>

#include <string>

#include "core/cp1252.h"

namespace kb::platform {
namespace {

constexpr std::string_view kScreenshotFolder = "Screenshots";

// clang-format off
EM_ASYNC_JS(int, kb_open_player_folder, (const char* folderText), {
  const folder = UTF8ToString(folderText);
  FS.mkdir(folder);
  if (typeof indexedDB === "undefined") return 0;
  FS.mount(IDBFS, {}, folder);
  return await new Promise(resolve => FS.syncfs(true, error => resolve(error ? 0 : 1)));
});

EM_ASYNC_JS(int, kb_keep_player_folder, (), {
  return await new Promise(resolve => FS.syncfs(false, error => resolve(error ? 0 : 1)));
});

EM_JS(void, kb_offer_download, (const char* nameText, const uint8_t* bytes, int size), {
  const blob = new Blob([HEAPU8.slice(bytes, bytes + size)], {type: "image/bmp"});
  const link = document.createElement("a");
  link.href = URL.createObjectURL(blob);
  link.download = UTF8ToString(nameText);
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
});

EM_JS(void, kb_tell_ended, (), {
  if (Module["kbEnded"]) Module["kbEnded"]();
});
// clang-format on

bool IsScreenshot(std::string_view gamePath) {
  return gamePath.starts_with(kScreenshotFolder) &&
         gamePath.substr(kScreenshotFolder.size()).starts_with('\\');
}

}  // namespace

bool WebFileSystem::OpenPlayerFolder() {
  return kb_open_player_folder(kPlayerFolder) != 0;
}

ReadResult WebFileSystem::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                                   size_t maxBytes) {
  return disk_.ReadFile(gamePath, out, maxBytes);
}

bool WebFileSystem::WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) {
  if (IsScreenshot(gamePath)) {
    const std::string name = GamePathToUtf8(gamePath.substr(kScreenshotFolder.size() + 1));
    kb_offer_download(name.c_str(), bytes.data(), static_cast<int>(bytes.size()));
    return true;
  }
  // A save is done once it is in IndexedDB; the folder in memory alone would
  // be gone with the page.
  return disk_.WriteFile(gamePath, bytes) && kb_keep_player_folder() != 0;
}

bool WebFileSystem::RemoveFile(std::string_view gamePath) {
  return disk_.RemoveFile(gamePath) && kb_keep_player_folder() != 0;
}

bool WebFileSystem::MakeFolder(std::string_view gamePath) {
  if (gamePath == kScreenshotFolder) return true;
  return disk_.MakeFolder(gamePath);
}

void TellPageTheGameEnded() {
  kb_tell_ended();
}

}  // namespace kb::platform
