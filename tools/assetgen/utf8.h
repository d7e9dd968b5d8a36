#pragma once

#include <string>
#include <string_view>

namespace kb::assetgen {

// File names on disk are UTF-8 whatever the execution character set of the
// build; u8 literals keep them so, this turns them into plain strings.
inline std::string Utf8(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

}  // namespace kb::assetgen
