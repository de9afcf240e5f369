// Running the independent tasks of one job on the machine's cores. The
// tasks are taken in order, each by the first thread that is free, so tasks
// given largest first keep the threads equally busy. The caller's thread
// works too; everything has finished when the call returns.
#pragma once

#include <algorithm>
#include <atomic>
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

// Calls task(i, worker) once for every i in [0, count), on at most `threads`
// threads; worker (below threads) names the thread, for state that each
// thread keeps to itself. An exception thrown by a task stops the tasks not
// yet begun and is thrown again here.
template <class Task>
void RunTasks(size_t count, unsigned threads, const Task& task) {
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto work = [&](unsigned worker) {
    for (size_t i = next++; i < count; i = next++) {
      try {
        task(i, worker);
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

}  // namespace vantrel
