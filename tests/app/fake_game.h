#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/game.h"
#include "core/key_codes.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/memory_file_system.h"

namespace kb::test {

// Reads the generated data folder from disk, keeps every write in memory.
class DataFolderFiles final : public platform::FileSystem {
 public:
  DataFolderFiles() : disk_(KB_DATA_DIR) {}
  platform::ReadResult ReadFile(std::string_view path, std::vector<uint8_t>& out,
                                size_t maxBytes) override {
    const platform::ReadResult inMemory = memory_.ReadFile(path, out, maxBytes);
    if (inMemory != platform::ReadResult::kMissing || hidden_) return inMemory;
    return disk_.ReadFile(path, out, maxBytes);
  }
  bool WriteFile(std::string_view path, std::span<const uint8_t> bytes) override {
    return memory_.WriteFile(path, bytes);
  }
  bool MakeFolder(std::string_view path) override { return memory_.MakeFolder(path); }
  bool RemoveFile(std::string_view path) override { return memory_.RemoveFile(path); }
  std::vector<std::string> ListFolder(std::string_view path) override {
    return memory_.ListFolder(path);
  }
  // Files the test puts in front of the data folder's own.
  platform::MemoryFileSystem& memory() { return memory_; }
  // After start-up, the disk's files (for example "Optionen.bin") are not seen.
  void HideDisk() { hidden_ = true; }

 private:
  platform::DiskFileSystem disk_;
  platform::MemoryFileSystem memory_;
  bool hidden_ = false;
};

// A whole game on the scripted machine with the real pictures, past its title
// picture, with every screen it enters written down.
struct FakeGame {
  explicit FakeGame(uint64_t limitMs = 600000) : fake(limitMs) {
    game.OnScreen = [this](const char* name) { screens.emplace_back(name); };
    fake.KeyPressAt(0, key::kReturn, 20);
    game.Init();
    files.HideDisk();
  }
  uint64_t Now() const { return fake.NowMs(); }
  uint32_t Pixel(int x, int y) const { return fake.LastFrame()[static_cast<size_t>(y) * 1024 + x]; }
  int Count(const std::string& screen) const {
    int n = 0;
    for (const std::string& s : screens) n += s == screen ? 1 : 0;
    return n;
  }
  void PutOptions(int32_t particles, int32_t ring, int32_t strength, int32_t set, int32_t snake) {
    std::vector<uint8_t> bytes;
    for (int32_t v : {particles, ring, strength, set, snake}) {
      for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    }
    files.memory().Put("Optionen.bin", bytes);
  }

  platform::FakePlatform fake;
  DataFolderFiles files;
  platform::SilentAudio audio;
  platform::Platform platform{fake, fake, fake, fake, files, audio};
  Game game{platform};
  std::vector<std::string> screens;
};

// The data folder with files the test takes away or puts in front.
class DamagedDataFolder final : public platform::FileSystem {
 public:
  platform::ReadResult ReadFile(std::string_view path, std::vector<uint8_t>& out,
                                size_t maxBytes) override {
    out.clear();
    if (missing_.count(std::string(path)) != 0) return platform::ReadResult::kMissing;
    return inner_.ReadFile(path, out, maxBytes);
  }
  bool WriteFile(std::string_view path, std::span<const uint8_t> bytes) override {
    missing_.erase(std::string(path));
    return inner_.WriteFile(path, bytes);
  }
  bool MakeFolder(std::string_view path) override { return inner_.MakeFolder(path); }
  void Remove(std::string_view path) { missing_.insert(std::string(path)); }
  // The first `size` bytes of the data folder's own file.
  void Truncate(std::string_view path, size_t size) {
    std::vector<uint8_t> bytes;
    inner_.ReadFile(path, bytes, platform::kMaxMediaFileBytes);
    bytes.resize(std::min(bytes.size(), size));
    inner_.memory().Put(path, bytes);
  }
  platform::MemoryFileSystem& memory() { return inner_.memory(); }

 private:
  DataFolderFiles inner_;
  std::set<std::string> missing_;
};

// A whole game on the scripted machine that has not started yet: the test
// damages or replaces files of the data folder and may bring its own sound
// device; Start() then runs the start-up and passes the title picture. The
// data folder stays visible afterwards, as the music is read while playing.
struct UnstartedGame {
  explicit UnstartedGame(platform::AudioDevice* device = nullptr, uint64_t limitMs = 600000)
      : fake(limitMs), audio(device != nullptr ? *device : silent) {
    game.OnScreen = [this](const char* name) { screens.emplace_back(name); };
  }
  void Start() {
    fake.KeyPressAt(fake.NowMs(), key::kReturn, 20);
    game.Init();
  }
  uint64_t Now() const { return fake.NowMs(); }
  int Count(const std::string& screen) const {
    int n = 0;
    for (const std::string& s : screens) n += s == screen ? 1 : 0;
    return n;
  }

  platform::FakePlatform fake;
  DamagedDataFolder files;
  platform::SilentAudio silent;
  platform::AudioDevice& audio;
  platform::Platform platform{fake, fake, fake, fake, files, audio};
  Game game{platform};
  std::vector<std::string> screens;
};

}  // namespace kb::test

namespace kb::test {

// Input scripted against presented frames: an action set up when frame n is
// presented lands in the next frame's reads, wherever the game's timing puts
// them.
class FrameScript {
 public:
  explicit FrameScript(FakeGame& g) : g_(g) {
    g_.fake.OnPresent([this](uint64_t frame, const uint32_t*) {
      ++presented_;
      if (onEveryFrame_) onEveryFrame_(frame);
      const auto it = actions_.find(frame);
      if (it != actions_.end()) it->second();
    });
  }
  void At(uint64_t frame, std::function<void()> action) { actions_[frame] = std::move(action); }
  void EveryFrame(std::function<void(uint64_t)> action) { onEveryFrame_ = std::move(action); }
  // The next frame's reads see the left (or right) button down; the one after
  // sees it up again. A menu frame reads about 100 ms after the last present.
  void Click(bool left = true) {
    g_.fake.ButtonAt(g_.Now() + 50, left, true);
    g_.fake.ButtonAt(g_.Now() + 150, left, false);
  }
  void Key(uint8_t code, uint64_t holdMs = 100) { g_.fake.KeyPressAt(g_.Now() + 50, code, holdMs); }
  void MoveTo(int x, int y) {
    g_.fake.MouseMoveAt(g_.Now(), x - g_.game.input.PointerX, y - g_.game.input.PointerY);
  }
  uint64_t Presented() const { return presented_; }

 private:
  FakeGame& g_;
  std::map<uint64_t, std::function<void()>> actions_;
  std::function<void(uint64_t)> onEveryFrame_;
  uint64_t presented_ = 0;
};

}  // namespace kb::test
