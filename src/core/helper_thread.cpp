#include "core/helper_thread.h"

namespace kb {

// Browsers run a page's WebAssembly on one thread unless the page is served
// for shared memory; the browser build has no helper and does all the work
// itself.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
constexpr bool kThreads = false;
#else
constexpr bool kThreads = true;
#endif

HelperThread::HelperThread() {
  if (kThreads && std::thread::hardware_concurrency() > 1) thread_ = std::thread([this] { Run(); });
}

HelperThread::~HelperThread() {
  {
    const std::lock_guard lock(mutex_);
    state_ = State::kStopping;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool HelperThread::Offer(Task task, void* context) {
  if (!thread_.joinable()) return false;
  if (restingOffers_ > 0) {
    --restingOffers_;
    return false;
  }
  {
    const std::lock_guard lock(mutex_);
    task_ = task;
    context_ = context;
    state_ = State::kOffered;
  }
  changed_.notify_all();
  return true;
}

void HelperThread::Finish() {
  std::unique_lock lock(mutex_);
  if (state_ == State::kOffered) state_ = State::kIdle;
  if (state_ != State::kRunning) return;
  const auto waitFrom = std::chrono::steady_clock::now();
  changed_.wait(lock, [this] { return state_ != State::kRunning; });
  if (std::chrono::steady_clock::now() - waitFrom > kLongWait) KeptWaiting();
}

void HelperThread::KeptWaiting() {
  restingOffers_ = kRestingOffers;
}

void HelperThread::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return state_ == State::kOffered || state_ == State::kStopping; });
    if (state_ == State::kStopping) return;
    state_ = State::kRunning;
    const Task task = task_;
    void* const context = context_;
    lock.unlock();
    task(context);
    lock.lock();
    if (state_ == State::kRunning) state_ = State::kIdle;
    changed_.notify_all();
  }
}

}  // namespace kb
