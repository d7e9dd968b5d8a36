#include "saves/screenshot_file.h"

#include "input/text_entry.h"

namespace kb {

bool IsScreenshotFileName(std::string_view name) {
  return name.ends_with(".bmp") && IsTypedText(name.substr(0, name.size() - 4));
}

}  // namespace kb
