#include "platform/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "core/cp1252.h"

namespace kb::platform {
namespace {

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

std::string GamePathToUtf8(std::string_view gamePath) {
  std::string out = Cp1252ToUtf8(gamePath);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::filesystem::path DiskFileSystem::Resolve(std::string_view gamePath) const {
  return playerRoot_ / std::filesystem::path(GamePathToUtf8(gamePath));
}

bool DiskFileSystem::MakePlayerRoot() const {
  std::error_code ec;
  std::filesystem::create_directories(playerRoot_, ec);
  return std::filesystem::is_directory(playerRoot_, ec);
}

bool DiskFileSystem::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) {
  out.clear();
  std::FILE* f = std::fopen(Resolve(gamePath).c_str(), "rb");
  // Only a file the player's folder lacks comes from the data folder; one
  // that is there but unreadable stays unreadable.
  if (f == nullptr && errno == ENOENT && dataRoot_ != playerRoot_) {
    f = std::fopen((dataRoot_ / std::filesystem::path(GamePathToUtf8(gamePath))).c_str(), "rb");
  }
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
  if (!MakePlayerRoot()) return false;
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
  if (!MakePlayerRoot()) return false;
  const std::filesystem::path folder = Resolve(gamePath);
  std::filesystem::create_directories(folder, ec);
  return std::filesystem::is_directory(folder, ec);
}

}  // namespace kb::platform
