#include "platform/tab_order.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qk {
namespace {

// Controls 1 to 6 in creation order: 2 has no tab stop, 4 is disabled and
// 5 hidden, so 1, 3 and 6 take the focus.
const std::vector<TabCandidate> kControls = {
    {1, true, true, true},  {2, false, true, true}, {3, true, true, true},
    {4, true, false, true}, {5, true, true, false}, {6, true, true, true},
};

struct TabCase {
  int current;
  bool backward;
  int expected;
};

void PrintTo(const TabCase& c, std::ostream* out) {
  *out << "from " << c.current << (c.backward ? " backward" : " forward");
}

class NextTabStopTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(NextTabStopTest, MovesToTheNextQualifyingControl) {
  const TabCase& c = GetParam();
  EXPECT_EQ(nextTabStop(kControls, c.current, c.backward), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Order, NextTabStopTest,
                         ::testing::Values(TabCase{1, false, 3},   // skips no tab stop
                                           TabCase{3, false, 6},   // skips disabled and hidden
                                           TabCase{6, false, 1},   // wraps at the end
                                           TabCase{1, true, 6},    // wraps at the start
                                           TabCase{6, true, 3},
                                           TabCase{2, false, 3},   // from a control without tab stop
                                           TabCase{5, true, 3},    // from a hidden control
                                           TabCase{0, false, 1},   // nothing focused
                                           TabCase{0, true, 6},
                                           TabCase{99, false, 1},  // an unknown control
                                           TabCase{99, true, 6}));

TEST(NextTabStop, StaysOnTheOnlyCandidate) {
  std::vector<TabCandidate> controls = {{7, true, true, true}, {8, false, true, true}};
  EXPECT_EQ(nextTabStop(controls, 7, false), 7);
  EXPECT_EQ(nextTabStop(controls, 7, true), 7);
}

TEST(NextTabStop, NoCandidateGivesZero) {
  EXPECT_EQ(nextTabStop({}, 0, false), 0);
  std::vector<TabCandidate> none = {{1, false, true, true}, {2, true, false, true}, {3, true, true, false}};
  EXPECT_EQ(nextTabStop(none, 1, false), 0);
  EXPECT_EQ(nextTabStop(none, 0, true), 0);
}

}  // namespace
}  // namespace qk
