#pragma once
// The Tab and Shift+Tab rule shared by both GUI implementations: the focus
// moves to the next (previous) enabled, visible control with a tab stop of
// the active window, in creation order, wrapping around at the ends.
#include <vector>

namespace qk {

struct TabCandidate {
  int control = 0;
  bool tabStop = false;
  bool enabled = false;
  bool visible = false;
};

// `controls` in creation order; `current` the focused control number (0 or
// an unknown number: none). Returns the control number to focus, or 0 when
// no control qualifies.
int nextTabStop(const std::vector<TabCandidate>& controls, int current, bool backward);

}  // namespace qk
