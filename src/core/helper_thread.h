#pragma once

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
  // Finish is called; returns at once, false when there is no helper.
  bool Offer(Task task, void* context);
  // Returns when the task offered last has returned, or withdraws it if the
  // helper has not started it.
  void Finish();

 private:
  enum class State : uint8_t { kIdle, kOffered, kRunning, kStopping };
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::kIdle;
  Task task_ = nullptr;
  void* context_ = nullptr;
  std::thread thread_;
};

}  // namespace kb
