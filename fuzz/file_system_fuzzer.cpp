// Runs the disk file layer through short programs of saves, reads, clean-ups
// and oddities planted in a folder of its own, with faults injected into the
// system calls of saves and reads, and holds every step against a model of
// what the folders must hold: a save is whole or not at all and leaves no
// temporary behind, a read gives exactly the file and no more than asked,
// nothing but a regular file is read, and nothing outside the game's folder
// and nothing but a leftover temporary is ever changed or removed.
#include <dlfcn.h>
#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_main.h"
#include "platform/file_system.h"

namespace {

enum Call { kOpen, kRead, kWrite, kFsync, kClose, kRename, kCalls };

// A faulty call fails with `error`, or with error 0 does only half its work.
// `breaks`: the operation as a whole must then fail; it must ride out the rest.
struct Effect {
  Call call;
  int error;
  bool breaks;
};

constexpr Effect kSaveEffects[] = {
    {kOpen, EACCES, true}, {kOpen, EEXIST, false}, {kWrite, ENOSPC, true},
    {kWrite, EIO, true},   {kWrite, EINTR, false}, {kWrite, 0, false},
    {kFsync, EIO, true},   {kClose, EIO, true},    {kRename, ENOSPC, true}};
constexpr Effect kReadEffects[] = {{kOpen, EACCES, true},
                                   {kRead, EIO, true},
                                   {kRead, EINTR, false},
                                   {kRead, 0, false},
                                   {kClose, EIO, false}};

// Only the fuzzing thread, only between Arm and Disarm.
struct Faults {
  bool armed = false;
  pthread_t thread{};
  const Effect* effect = nullptr;
  int first = 0;  // the first faulty call of its kind, counting from 1
  int count = 0;  // how many in a row
  int seen[kCalls] = {};
  bool broke = false;
};
Faults gFaults;

bool Armed() {
  return gFaults.armed && pthread_equal(pthread_self(), gFaults.thread);
}

const Effect* Due(Call call) {
  if (!Armed()) return nullptr;
  const int n = ++gFaults.seen[call];
  const Effect* e = gFaults.effect;
  if (e == nullptr || e->call != call || n < gFaults.first || n >= gFaults.first + gFaults.count) {
    return nullptr;
  }
  gFaults.broke |= e->breaks;
  return e;
}

int Fail(const Effect* e) {
  errno = e->error;
  return -1;
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// The C library's calls of the file layer: faulty where the input armed a
// fault, else passed on, as libFuzzer's own files need. Reads and writes pass
// through the sanitizer's wrappers, which check their buffers.
extern "C" {
ssize_t __interceptor_read(int, void*, size_t) __attribute__((weak));
ssize_t __interceptor_write(int, const void*, size_t) __attribute__((weak));

int open(const char* path, int flags, ...) {
  int mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, int);
    va_end(args);
  }
  if (const Effect* e = Due(kOpen)) return Fail(e);
  static const auto real = Next<int (*)(const char*, int, ...)>("open");
  return real(path, flags, mode);
}

ssize_t read(int fd, void* buffer, size_t size) {
  static const auto real = __interceptor_read != nullptr
                               ? __interceptor_read
                               : Next<ssize_t (*)(int, void*, size_t)>("read");
  if (const Effect* e = Due(kRead)) {
    return e->error == 0 ? real(fd, buffer, size > 1 ? size / 2 : size) : Fail(e);
  }
  return real(fd, buffer, size);
}

ssize_t write(int fd, const void* bytes, size_t size) {
  static const auto real = __interceptor_write != nullptr
                               ? __interceptor_write
                               : Next<ssize_t (*)(int, const void*, size_t)>("write");
  if (const Effect* e = Due(kWrite)) {
    return e->error == 0 ? real(fd, bytes, size > 1 ? size / 2 : size) : Fail(e);
  }
  return real(fd, bytes, size);
}

// A save's own sync is only counted: without a power cut, what reached the
// disk looks the same as what waits in the cache, and syncing for real would
// take most of the run's time.
int fsync(int fd) {
  if (const Effect* e = Due(kFsync)) return Fail(e);
  if (Armed()) return 0;
  static const auto real = Next<int (*)(int)>("fsync");
  return real(fd);
}

// On Linux the descriptor is gone even when close reports an error.
int close(int fd) {
  static const auto real = Next<int (*)(int)>("close");
  const Effect* e = Due(kClose);
  const int result = real(fd);
  return e == nullptr ? result : Fail(e);
}

int rename(const char* from, const char* to) noexcept {
  if (const Effect* e = Due(kRename)) return Fail(e);
  static const auto real = Next<int (*)(const char*, const char*)>("rename");
  return real(from, to);
}
}  // extern "C"

namespace kb::fuzz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

enum class Kind { kNothing, kFile, kFolder, kPipe, kLinkToZero, kLinkToStranger, kDanglingLink };
constexpr int kKinds = 7;

struct Entry {
  Kind kind = Kind::kFile;
  Bytes bytes;            // of a file
  bool leftover = false;  // a temporary the clean-up takes away
};
// Paths relative to a root, with slashes, as on disk.
using Folder = std::map<std::string, Entry>;

// A file of the player's beyond the game's folders, which links may point at.
Bytes Stranger() {
  return {'f', 'r', 'e', 'm', 'd', '\n'};
}

struct GameName {
  const char* game;
  const char* disk;
};
constexpr GameName kGameNames[] = {{"Optionen.bin", "Optionen.bin"},
                                   {"Highscores.bin", "Highscores.bin"},
                                   {"Screenshots\\Bild 1.bmp", "Screenshots/Bild 1.bmp"},
                                   {"Gr\374\337e.bin", "Gr\303\274\303\237e.bin"}};
constexpr int kGameNameCount = 4;

// Besides the game's own names: temporaries of saves cut short, which the
// clean-up takes away, and names that only look like them.
struct PlantName {
  std::string disk;
  bool leftover;
};
const std::vector<PlantName>& PlantNames() {
  static const std::vector<PlantName> names = [] {
    std::vector<PlantName> all;
    for (const GameName& name : kGameNames) all.push_back({name.disk, false});
    const std::string own = std::to_string(::getpid());
    all.insert(all.end(), {{"Screenshots", false},
                           {"Optionen.bin.tmp", true},                   // what older builds left
                           {"Screenshots/Bild 1.bmp.tmp", false},        // never a screenshot's
                           {"Brief.txt.tmp.999999999.deadbeef", false},  // not the game's
                           {"Notiz.bin.tmp", false},
                           {"Highscores.bin.tmp.999999999.0badf00d", true},  // no such process
                           {"Screenshots/Bild 1.bmp.tmp.999999999.12345678", true},
                           {"Highscores.bin.tmp.1.0badf00d", false},  // a game still running
                           {"Optionen.bin.tmp." + own + ".0badf00d", false},  // this one
                           {"Optionen.bin.tmp.999999999.0BADF00D", false},
                           {"Optionen.bin.tmp.999999999.0badf00d.alt", false},
                           {"Notizen.tmp", false}});
    return all;
  }();
  return names;
}

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ParentOf(const std::string& disk) {
  const size_t slash = disk.rfind('/');
  return slash == std::string::npos ? "" : disk.substr(0, slash);
}

class Program {
 public:
  Program(const fs::path& base, FuzzedDataProvider& in)
      : in_(in),
        split_(in.ConsumeBool()),
        dataRoot_(base / "game"),
        playerRoot_(split_ ? base / "player" / "Klotzbrecher 3" : dataRoot_),
        stranger_(base / "fremd.txt"),
        files_(dataRoot_, playerRoot_) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(base, ec)) fs::remove_all(entry.path(), ec);
    fs::create_directories(dataRoot_, ec);
    std::ofstream(stranger_) << "fremd\n";
  }

  bool Run(std::string& why) {
    static constexpr const char* kSteps[] = {"save",  "read",    "make folder",
                                             "plant", "provide", "clean up"};
    for (int step = 0; step < 24 && in_.remaining_bytes() > 0; ++step) {
      const int op = in_.ConsumeIntegralInRange(0, 5);
      const bool ok = op == 0   ? Save(why)
                      : op == 1 ? Read(why)
                      : op == 2 ? MakeFolder(why)
                      : op == 3 ? Plant(player_, playerRoot_, PickPlantName(), why)
                      : op == 4 ? Provide(why)
                                : CleanUp();
      if (!ok || !Matches(why)) {
        why = "step " + std::to_string(step) + " (" + kSteps[op] + "): " + why;
        return false;
      }
    }
    return true;
  }

 private:
  // Faults for the next operation, as the input says; none is as likely as each.
  template <size_t N>
  void Arm(const Effect (&effects)[N]) {
    const size_t pick = in_.ConsumeIntegralInRange<size_t>(0, N);
    gFaults = Faults{};
    gFaults.effect = pick == 0 ? nullptr : &effects[pick - 1];
    gFaults.first = in_.ConsumeIntegralInRange(1, 3);
    gFaults.count = in_.ConsumeIntegralInRange(1, 3);
    gFaults.thread = pthread_self();
    gFaults.armed = true;
  }
  static bool Disarm() {
    gFaults.armed = false;
    return gFaults.broke;
  }

  const GameName& Name() { return kGameNames[in_.ConsumeIntegralInRange(0, kGameNameCount - 1)]; }
  const PlantName& PickPlantName() {
    return PlantNames()[in_.ConsumeIntegralInRange<size_t>(0, PlantNames().size() - 1)];
  }
  Bytes Contents() {
    return in_.ConsumeBytes<uint8_t>(in_.ConsumeIntegralInRange<size_t>(0, 3000));
  }

  static const Entry* Find(const Folder& folder, const std::string& disk) {
    const auto it = folder.find(disk);
    return it == folder.end() ? nullptr : &it->second;
  }
  bool IsFolder(const Folder& folder, const std::string& disk) const {
    const Entry* e = Find(folder, disk);
    return disk.empty() || (e != nullptr && e->kind == Kind::kFolder);
  }
  // What reading the name gives: a regular file, also one behind a link.
  std::optional<Bytes> Readable(const Folder& folder, const std::string& disk) const {
    const Entry* e = Find(folder, disk);
    if (e != nullptr && e->kind == Kind::kFile) return e->bytes;
    if (e != nullptr && e->kind == Kind::kLinkToStranger) return Stranger();
    return std::nullopt;
  }

  bool Save(std::string& why) {
    const GameName& name = Name();
    const Bytes bytes = Contents();
    const Entry* old = Find(player_, name.disk);
    const bool possible =
        IsFolder(player_, ParentOf(name.disk)) && (old == nullptr || old->kind != Kind::kFolder);
    Arm(kSaveEffects);
    const bool saved = files_.WriteFile(name.game, bytes);
    const bool broke = Disarm();
    if (saved != (possible && !broke)) {
      why = std::string(name.disk) +
            (saved ? " was saved, though it could not be" : " was not saved, though it could be");
      return false;
    }
    if (saved) player_[name.disk] = Entry{Kind::kFile, bytes, false};
    return true;
  }

  bool Read(std::string& why) {
    const GameName& name = Name();
    std::optional<Bytes> want = Readable(player_, name.disk);
    if (!want && split_) want = Readable(data_, name.disk);
    const size_t size = want ? want->size() : 0;
    // Just the file, a byte less or more, a medium's limit, or any.
    const size_t limits[] = {size, size > 0 ? size - 1 : 0, size + 1, platform::kMaxMediaFileBytes};
    const size_t pick = in_.ConsumeIntegralInRange<size_t>(0, 4);
    const size_t limit = pick < 4 ? limits[pick] : in_.ConsumeIntegralInRange<size_t>(0, 4000);
    Arm(kReadEffects);
    Bytes out = {0xEE};
    const platform::ReadResult result = files_.ReadFile(name.game, out, limit);
    const bool broke = Disarm();

    platform::ReadResult expected = platform::ReadResult::kMissing;
    if (broke) {
      expected = platform::ReadResult::kFailed;
      want.reset();
    } else if (want && want->size() > limit) {
      expected = platform::ReadResult::kTooLarge;
      want->resize(limit);
    } else if (want) {
      expected = platform::ReadResult::kRead;
    }
    if (result != expected || out != want.value_or(Bytes{})) {
      why = std::string(name.disk) + " read up to " + std::to_string(limit) + " bytes gave " +
            std::to_string(out.size()) + " bytes and result " +
            std::to_string(static_cast<int>(result)) + ", not " +
            std::to_string(static_cast<int>(expected));
      return false;
    }
    return true;
  }

  bool MakeFolder(std::string& why) {
    const Entry* e = Find(player_, "Screenshots");
    const bool possible = e == nullptr || e->kind == Kind::kFolder;
    if (files_.MakeFolder("Screenshots") != possible) {
      why = possible ? "the folder was not made" : "a folder was made in place of something else";
      return false;
    }
    if (e == nullptr) player_["Screenshots"] = Entry{Kind::kFolder, {}, false};
    return true;
  }

  // Puts something (or nothing) in place of a name, whatever was there.
  bool Plant(Folder& folder, const fs::path& root, const PlantName& name, std::string& why) {
    const Kind kind = static_cast<Kind>(in_.ConsumeIntegralInRange(0, kKinds - 1));
    Bytes bytes = kind == Kind::kFile ? Contents() : Bytes{};
    const std::string parent = ParentOf(name.disk);
    if (!IsFolder(folder, parent)) return true;
    std::error_code ec;
    fs::create_directories(root, ec);
    const fs::path path = root / name.disk;
    fs::remove_all(path, ec);
    for (auto it = folder.begin(); it != folder.end();) {
      it = it->first == name.disk || it->first.starts_with(name.disk + "/") ? folder.erase(it)
                                                                            : std::next(it);
    }
    bool made = true;
    if (kind == Kind::kNothing) return true;
    if (kind == Kind::kFile) {
      made = static_cast<bool>(std::ofstream(path, std::ios::binary)
                                   .write(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<std::streamsize>(bytes.size())));
    } else if (kind == Kind::kFolder) {
      made = fs::create_directory(path, ec);
    } else if (kind == Kind::kPipe) {
      made = ::mkfifo(path.c_str(), 0644) == 0;
    } else {
      fs::create_symlink(LinkTarget(kind, root), path, ec);
    }
    if (!made || ec) {
      why = "could not plant " + name.disk;
      return false;
    }
    folder[name.disk] = Entry{kind, std::move(bytes), name.leftover};
    return true;
  }

  // Something in the data folder, which the game only reads.
  bool Provide(std::string& why) {
    const PlantName name{Name().disk, false};
    if (!split_) return true;
    const std::string parent = ParentOf(name.disk);
    if (!parent.empty() && !IsFolder(data_, parent)) {
      std::error_code ec;
      fs::create_directory(dataRoot_ / parent, ec);
      data_[parent] = Entry{Kind::kFolder, {}, false};
    }
    return Plant(data_, dataRoot_, name, why);
  }

  bool CleanUp() {
    files_.RemoveLeftoverTemporaries(
        {{"Optionen.bin", "Highscores.bin"},
         {{"Screenshots", [](std::string_view name) { return name == "Bild 1.bmp"; }}}});
    std::erase_if(player_, [](const auto& item) {
      return item.second.leftover && item.second.kind != Kind::kFolder;
    });
    return true;
  }

  fs::path LinkTarget(Kind kind, const fs::path& root) const {
    return kind == Kind::kLinkToZero       ? fs::path("/dev/zero")
           : kind == Kind::kLinkToStranger ? stranger_
                                           : root / "nirgends";
  }

  bool Holds(const fs::path& root, const std::string& name, const Entry& e) const {
    const fs::path path = root / name;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (e.kind == Kind::kFile) return fs::is_regular_file(status) && ReadAll(path) == e.bytes;
    if (e.kind == Kind::kFolder) return fs::is_directory(status);
    if (e.kind == Kind::kPipe) return fs::is_fifo(status);
    return fs::is_symlink(status) && fs::read_symlink(path, ec) == LinkTarget(e.kind, root);
  }

  // Every entry of the model is on disk as it should be, and nothing else is.
  bool Matches(const Folder& folder, const fs::path& root, std::string& why) const {
    for (const auto& [name, entry] : folder) {
      if (!Holds(root, name, entry)) {
        why = name + " is not what it should be";
        return false;
      }
    }
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      const std::string name = it->path().lexically_relative(root).string();
      if (folder.count(name) == 0) {
        why = "there is " + name + ", which should not be";
        return false;
      }
    }
    return true;
  }
  bool Matches(std::string& why) const {
    if (!Holds(stranger_.parent_path(), stranger_.filename().string(),
               Entry{Kind::kFile, Stranger()})) {
      why = "the file outside the game's folders changed";
      return false;
    }
    return Matches(player_, playerRoot_, why) && (!split_ || Matches(data_, dataRoot_, why));
  }

  FuzzedDataProvider& in_;
  const bool split_;
  const fs::path dataRoot_;
  const fs::path playerRoot_;
  const fs::path stranger_;
  platform::DiskFileSystem files_;
  Folder player_;
  Folder data_;
};

// A folder of this process's own, emptied for every input and removed at exit.
const fs::path& Scratch() {
  static const struct ScratchFolder {
    ScratchFolder() {
      char name[] = "/tmp/kb-file-system-fuzz.XXXXXX";
      if (::mkdtemp(name) == nullptr) std::abort();
      path = name;
    }
    ~ScratchFolder() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
    fs::path path;
  } folder;
  return folder.path;
}

}  // namespace

bool CheckFileSystemProgram(std::span<const uint8_t> bytes, std::string& why) {
  FuzzedDataProvider in(bytes.data(), bytes.size());
  Program program(Scratch(), in);
  return program.Run(why);
}

}  // namespace kb::fuzz

KB_FUZZ_WITH(kb::fuzz::CheckFileSystemProgram)
