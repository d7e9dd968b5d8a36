#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace kb {

// A second thread for work that a drawing burst can share out. Work is only
// ever offered: the helper may take it up soon, or not at all (a machine with
// one core, a browser without threads, a helper the system has not woken in
// time). Whoever offers it therefore does every part of the work nobody has
// claimed yet, so that the result never depends on the helper.
class HelperThread {
 public:
  using Task = void (*)(void* context);

  HelperThread();
  ~HelperThread();
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;

  // Hands the task to the helper, which runs it once if it starts before
  // Finish is called; returns at once, false when there is no helper or it
  // rests.
  bool Offer(Task task, void* context);
  // Returns when the task offered last has returned, or withdraws it if the
  // helper has not started it.
  void Finish();
  // Tells that the helper kept the offering thread waiting for a long while:
  // another program most likely takes its core, and shared work would wait
  // for it again. The helper rests for the next offers, then is tried again.
  void KeptWaiting();
  // A wait for the helper longer than this counts as being kept waiting.
  static constexpr auto kLongWait = std::chrono::microseconds(2000);

 private:
  enum class State : uint8_t { kIdle, kOffered, kRunning, kStopping };
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::kIdle;
  Task task_ = nullptr;
  void* context_ = nullptr;
  std::thread thread_;
  // How many offers are still declined after the helper kept us waiting:
  // some 50 bursts, a second of a match.
  static constexpr int32_t kRestingOffers = 100;
  int32_t restingOffers_ = 0;
};

}  // namespace kb
