// Running independent pieces of one job on the machine's cores. The pieces
// are taken in order, each by the first thread that is free, so pieces
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
  const unsigned n = std::thread::hardware_concurrency();
  return std::clamp(n, 1u, 8u);
}

// Calls piece(i) once for every i in [0, count). An exception thrown by a
// piece stops the pieces not yet begun and is thrown again here.
template <class Piece>
void RunPieces(size_t count, const Piece& piece) {
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto work = [&] {
    for (size_t i = next++; i < count; i = next++) {
      try {
        piece(i);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureLock);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    }
  };
  std::vector<std::thread> helpers;
  const size_t threads = std::min<size_t>(Cores(), count);
  for (size_t t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(work);
    } catch (...) {
      break;  // no thread to be had: the others do the work
    }
  }
  work();
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vantrel
