#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
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

bool IsRegularFile(const struct stat& st) {
  return S_ISREG(st.st_mode);
}

// MENDED: only a regular file is opened at all: a pipe would block the game
// for good, a device could feed it for ever. The open does not block either,
// and the type is checked again on what was opened, in case the name changed
// hands in between.
ReadResult ReadRegularFile(const std::filesystem::path& path, std::vector<uint8_t>& out,
                           size_t maxBytes) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? ReadResult::kMissing : ReadResult::kFailed;
  }
  if (!IsRegularFile(st)) return ReadResult::kMissing;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  if (::fstat(fd, &st) != 0 || !IsRegularFile(st)) {
    ::close(fd);
    return ReadResult::kMissing;
  }

  // One byte beyond the limit tells a file that is too long, also one that
  // grew after it was looked at.
  const size_t sizeHint = std::min(static_cast<size_t>(std::max<off_t>(st.st_size, 0)), maxBytes);
  out.resize(sizeHint + 1);
  size_t have = 0;
  ReadResult result = ReadResult::kRead;
  for (;;) {
    if (have == out.size()) {
      if (have > maxBytes) break;
      out.resize(std::min(std::max<size_t>(2 * have, 4096), maxBytes + 1));
    }
    const ssize_t n = ::read(fd, out.data() + have, out.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result = ReadResult::kFailed;
      break;
    }
    if (n == 0) break;
    have += static_cast<size_t>(n);
  }
  ::close(fd);
  if (result == ReadResult::kFailed) {
    out.clear();
  } else if (have > maxBytes) {
    out.resize(maxBytes);
    result = ReadResult::kTooLarge;
  } else {
    out.resize(have);
  }
  return result;
}

// A temporary file is named after its target, the game's process and a
// random part: "Optionen.bin.tmp.4711.9f3a0c2e".
// MENDED: it is always a new file, never one that is there already, and never
// reached through a link, so that a link planted under the name cannot make the
// game write elsewhere.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    uint32_t random = 0;
    if (::getentropy(&random, sizeof random) != 0) {
      random = static_cast<uint32_t>(::clock()) * 2654435761u + static_cast<uint32_t>(attempt);
    }
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".tmp.%d.%08x", static_cast<int>(::getpid()), random);
    temp = target;
    temp += suffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool OnlyOf(std::string_view text, std::string_view characters) {
  return !text.empty() && text.find_first_not_of(characters) == std::string_view::npos;
}

// The file a temporary was meant to become, when the name is one that
// CreateTemporary gives ("Optionen.bin.tmp.4711.9f3a0c2e") and the game that
// wrote it no longer runs; empty otherwise. A save of another game running at
// the same time is left alone.
std::string_view TargetOfLeftover(std::string_view name) {
  const size_t randomDot = name.rfind('.');
  if (randomDot == std::string_view::npos || randomDot == 0) return {};
  const size_t processDot = name.rfind('.', randomDot - 1);
  if (processDot == std::string_view::npos) return {};
  const std::string_view marked = name.substr(0, processDot);
  const std::string_view process = name.substr(processDot + 1, randomDot - processDot - 1);
  const std::string_view random = name.substr(randomDot + 1);
  if (!marked.ends_with(".tmp") || process.size() > 9 || !OnlyOf(process, "0123456789") ||
      random.size() != 8 || !OnlyOf(random, "0123456789abcdef")) {
    return {};
  }
  const auto maker = static_cast<pid_t>(std::stol(std::string(process)));
  if (maker == ::getpid() || ::kill(maker, 0) == 0 || errno != ESRCH) return {};
  return marked.substr(0, marked.size() - 4);
}

// Removes from the open folder every entry whose name `isLeftover` accepts.
// Only names are removed (a folder under such a name stays), and the folder
// is read through its descriptor, so nothing is reached by a link.
template <typename IsLeftover>
void RemoveFromFolder(int folder, IsLeftover isLeftover) {
  DIR* listing = ::fdopendir(folder);
  if (listing == nullptr) {
    ::close(folder);
    return;
  }
  std::vector<std::string> doomed;
  while (const dirent* entry = ::readdir(listing)) {
    if (isLeftover(std::string_view(entry->d_name))) doomed.emplace_back(entry->d_name);
  }
  for (const std::string& name : doomed) ::unlinkat(::dirfd(listing), name.c_str(), 0);
  ::closedir(listing);
}

}  // namespace

FileLock::~FileLock() {
  // Closing the file lets go of its lock.
  if (descriptor_ >= 0) ::close(descriptor_);
}

std::filesystem::path DiskFileSystem::Resolve(std::string_view gamePath) const {
  return playerRoot_ / std::filesystem::path(GamePathToUtf8(gamePath));
}

bool DiskFileSystem::MakePlayerRoot() const {
  std::error_code ec;
  std::filesystem::create_directories(playerRoot_, ec);
  return std::filesystem::is_directory(playerRoot_, ec);
}

ReadResult DiskFileSystem::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                                    size_t maxBytes) {
  out.clear();
  ReadResult result = ReadRegularFile(Resolve(gamePath), out, maxBytes);
  // Only a file the player's folder lacks comes from the data folder; one
  // that is there but unreadable stays unreadable.
  if (result == ReadResult::kMissing && dataRoot_ != playerRoot_) {
    result =
        ReadRegularFile(dataRoot_ / std::filesystem::path(GamePathToUtf8(gamePath)), out, maxBytes);
  }
  return result;
}

bool DiskFileSystem::WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) {
  if (!MakePlayerRoot()) return false;
  const std::filesystem::path target = Resolve(gamePath);
  std::filesystem::path temp;
  const int fd = CreateTemporary(target, temp);
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

bool DiskFileSystem::RemoveFile(std::string_view gamePath) {
  std::error_code ec;
  std::filesystem::remove(Resolve(gamePath), ec);
  return !ec;
}

std::vector<std::string> DiskFileSystem::ListFolder(std::string_view gamePath) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(Resolve(gamePath), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string name = it->path().filename().string();
    const bool ascii = std::all_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && it->is_regular_file(ec)) names.push_back(std::move(name));
  }
  return names;
}

FileLock DiskFileSystem::LockFile(std::string_view gamePath) {
  if (!MakePlayerRoot()) return {};
  std::filesystem::path path = Resolve(gamePath);
  path += ".lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return {};
  // Without the lock the save still goes ahead, as it did before there was
  // one: a second game at the same moment is rare, a lost save is not.
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) break;
  }
  return FileLock(fd);
}

void DiskFileSystem::RemoveLeftoverTemporaries(const SavedFileNames& saved) const {
  const int player = ::open(playerRoot_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (player < 0) return;
  for (const SavedFolder& saves : saved.folders) {
    // A linked folder may hold anybody's files; only the game's own is cleaned.
    const int folder = ::openat(player, std::string(saves.name).c_str(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) continue;
    RemoveFromFolder(folder, [&](std::string_view name) {
      const std::string_view target = TargetOfLeftover(name);
      return !target.empty() && saves.isFolderFile(target);
    });
  }
  RemoveFromFolder(player, [&](std::string_view name) {
    const std::string_view target = TargetOfLeftover(name);
    return std::any_of(saved.files.begin(), saved.files.end(), [&](std::string_view file) {
      // Older builds wrote "<file>.tmp" and nothing else.
      return target == file || (name.starts_with(file) && name.substr(file.size()) == ".tmp");
    });
  });
}

}  // namespace kb::platform
