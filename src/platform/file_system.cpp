#include "platform/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace kb::platform {
namespace {

// Code points of Windows-1252 bytes 0x80 to 0x9F; 0 where the byte is unassigned.
constexpr std::array<uint16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= 0x80 && b < 0xA0) {
      const uint16_t cp = kHighControls[b - 0x80];
      AppendUtf8(out, cp != 0 ? cp : 0xFFFD);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string GamePathToUtf8(std::string_view gamePath) {
  std::string out = Cp1252ToUtf8(gamePath);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::filesystem::path DiskFileSystem::Resolve(std::string_view gamePath) const {
  return root_ / std::filesystem::path(GamePathToUtf8(gamePath));
}

bool DiskFileSystem::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) {
  out.clear();
  std::FILE* f = std::fopen(Resolve(gamePath).c_str(), "rb");
  if (f == nullptr) return false;
  std::array<uint8_t, 65536> chunk;
  bool ok = true;
  for (;;) {
    const size_t n = std::fread(chunk.data(), 1, chunk.size(), f);
    out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < chunk.size()) {
      ok = std::ferror(f) == 0;
      break;
    }
  }
  std::fclose(f);
  if (!ok) out.clear();
  return ok;
}

bool DiskFileSystem::WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) {
  const std::filesystem::path target = Resolve(gamePath);
  std::filesystem::path temp = target;
  temp += ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool DiskFileSystem::MakeFolder(std::string_view gamePath) {
  std::error_code ec;
  const std::filesystem::path folder = Resolve(gamePath);
  std::filesystem::create_directories(folder, ec);
  return std::filesystem::is_directory(folder, ec);
}

}  // namespace kb::platform
