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

}  // namespace vantrel
