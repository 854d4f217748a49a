#include "platform/tab_order.h"

#include <cstddef>

namespace qk {
namespace {

bool canTakeFocus(const TabCandidate& candidate) {
  return candidate.tabStop && candidate.enabled && candidate.visible;
}

// The position of the focused control, or -1 when it is none of them.
int positionOf(const std::vector<TabCandidate>& controls, int current) {
  if (current == 0) return -1;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].control == current) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int nextTabStop(const std::vector<TabCandidate>& controls, int current, bool backward) {
  const int count = static_cast<int>(controls.size());
  if (count == 0) return 0;
  const int step = backward ? count - 1 : 1;
  int start = positionOf(controls, current);
  // Without a focused control the walk starts just outside the ends, so Tab
  // finds the first candidate and Shift+Tab the last one.
  if (start < 0) start = backward ? 0 : count - 1;
  for (int taken = 1; taken <= count; ++taken) {
    const TabCandidate& candidate = controls[(start + taken * step) % count];
    if (canTakeFocus(candidate)) return candidate.control;
  }
  return 0;
}

}  // namespace qk
