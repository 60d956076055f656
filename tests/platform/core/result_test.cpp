#include "platform/core/result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace platform {
namespace {

enum class Why { Odd, Negative };

Result<std::unique_ptr<int>, Why> Half(int n) {
  if (n < 0) return Fail(Why::Negative);
  if (n % 2 != 0) return Fail(Why::Odd);
  return std::make_unique<int>(n / 2);
}

Result<void, Why> CheckEven(int n) {
  if (n % 2 != 0) return Fail(Why::Odd);
  return {};
}

// Halves twice; `steps` counts the halvings that got through.
Result<int, Why> Quarter(int n, int& steps) {
  TRY(CheckEven(n));
  std::unique_ptr<int> half = TRY(Half(n));  // a move-only value comes out whole
  ++steps;
  const int quarter = *TRY(Half(*half));
  ++steps;
  return quarter;
}

TEST(Try, GivesTheValueOrReturnsTheFirstErrorAndStops) {
  struct Row {
    int n;
    bool ok;
    int value;  // when ok
    Why why;    // when not
    int steps;
  };
  const Row rows[] = {
      {12, true, 3, {}, 2},
      {0, true, 0, {}, 2},
      {7, false, 0, Why::Odd, 0},        // the void check fails first
      {6, false, 0, Why::Odd, 1},        // the second halving fails
      {-4, false, 0, Why::Negative, 0},  // passes the check, fails the first halving
  };
  for (const Row& row : rows) {
    int steps = 0;
    Result<int, Why> r = Quarter(row.n, steps);
    ASSERT_EQ(r.ok(), row.ok) << row.n;
    if (row.ok)
      EXPECT_EQ(*r, row.value) << row.n;
    else
      EXPECT_EQ(r.error(), row.why) << row.n;
    EXPECT_EQ(steps, row.steps) << row.n;
  }
}

}  // namespace
}  // namespace platform
