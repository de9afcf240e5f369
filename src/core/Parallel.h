// Running independent pieces of one job on the machine's cores. The pieces
// are taken in order, each by the first thread that is free, so pieces
// given largest first keep the threads equally busy. The caller's thread
// works too; everything has finished when the call returns.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace vantrel {

// How many threads are worth starting on this machine.
inline unsigned Cores() {
  static const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  return cores;
}

// Calls piece(i, worker) once for every i in [0, count), on at most
// `threads` threads; worker (below threads) names the thread, for state that
// each thread keeps to itself. An exception thrown by a piece stops the
// pieces not yet begun and is thrown again here.
template <class Piece>
void RunPieces(size_t count, unsigned threads, const Piece& piece) {
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto work = [&](unsigned worker) {
    for (size_t i = next++; i < count; i = next++) {
      try {
        piece(i, worker);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureLock);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    }
  };
  std::vector<std::thread> helpers;
  const auto used = static_cast<unsigned>(std::min<size_t>(threads, count));
  for (unsigned t = 1; t < used; ++t) {
    try {
      helpers.emplace_back(work, t);
    } catch (...) {
      break;  // no thread to be had: the others do the work
    }
  }
  work(0);
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

// The same on as many threads as are worth starting, for pieces that keep
// no state per thread.
template <class Piece>
void RunPieces(size_t count, const Piece& piece) {
  RunPieces(count, Cores(), [&](size_t i, unsigned) { piece(i); });
}

// Makes parts 0 to count - 1 on helper threads and hands each to use() on
// the calling thread, in order, as soon as it is made. Parts are made into
// `slots` slots of room, so at most that many are made ahead of the one in
// use. make(part, slot) fills a slot; use(part, slot) takes it and returns
// false to stop. Returns false when use() stopped the run. An exception
// thrown by make() or use() stops the run and is thrown again here.
template <class Make, class Use>
bool RunInOrder(size_t count, size_t slots, const Make& make, const Use& use) {
  auto oneByOne = [&] {
    for (size_t part = 0; part < count; ++part) {
      make(part, size_t{0});
      if (!use(part, size_t{0})) return false;
    }
    return true;
  };
  if (Cores() < 2 || count < 2 || slots < 2) return oneByOne();
  constexpr size_t kEmpty = static_cast<size_t>(-1);
  std::mutex lock;
  std::condition_variable changed;
  std::vector<size_t> made(slots, kEmpty);  // the part each slot holds
  size_t next = 0;                          // the next part to make
  size_t used = 0;                          // parts used so far
  bool stop = false;
  std::exception_ptr failure;
  auto fail = [&](std::exception_ptr error) {
    const std::lock_guard<std::mutex> held(lock);
    if (!failure) failure = error;
    stop = true;
    changed.notify_all();
  };
  auto work = [&] {
    std::unique_lock<std::mutex> held(lock);
    while (!stop && next < count) {
      const size_t part = next++;
      changed.wait(held, [&] { return stop || part < used + slots; });
      if (stop) break;
      held.unlock();
      try {
        make(part, part % slots);
      } catch (...) {
        fail(std::current_exception());
        return;
      }
      held.lock();
      made[part % slots] = part;
      changed.notify_all();
    }
  };
  std::vector<std::thread> helpers;
  for (unsigned t = 0; t < Cores(); ++t) {
    try {
      helpers.emplace_back(work);
    } catch (...) {
      break;
    }
  }
  if (helpers.empty()) return oneByOne();  // no thread to be had
  bool completed = true;
  try {
    for (size_t part = 0; part < count && completed; ++part) {
      {
        std::unique_lock<std::mutex> held(lock);
        changed.wait(held, [&] { return failure || made[part % slots] == part; });
        if (failure) break;
      }
      completed = use(part, part % slots);
      const std::lock_guard<std::mutex> held(lock);
      made[part % slots] = kEmpty;
      used = part + 1;
      changed.notify_all();
    }
  } catch (...) {
    fail(std::current_exception());
  }
  {
    const std::lock_guard<std::mutex> held(lock);
    stop = true;
    changed.notify_all();
  }
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
  return completed;
}

}  // namespace vantrel
