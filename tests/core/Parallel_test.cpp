#include "core/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace vantrel {
namespace {

TEST(RunTasks, EveryTaskOnceOnItsWorkerAndAFailureComesBack) {
  for (const unsigned threads : {1u, 3u}) {
    std::vector<std::atomic<int>> calls(1000);
    std::atomic<bool> workerInRange{true};
    RunTasks(calls.size(), threads, [&](size_t i, unsigned worker) {
      ++calls[i];
      if (worker >= threads) workerInRange = false;
    });
    for (const auto& c : calls) EXPECT_EQ(c.load(), 1);
    EXPECT_TRUE(workerInRange.load());

    std::atomic<int> ran{0};
    EXPECT_THROW(RunTasks(200, threads,
                          [&](size_t i, unsigned) {
                            ++ran;
                            if (i == 3) throw std::runtime_error("task 3");
                          }),
                 std::runtime_error);
    EXPECT_GE(ran.load(), 1);
  }
}

}  // namespace
}  // namespace vantrel
