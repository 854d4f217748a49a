// The about overlay: the note's line lengths and the painted geometry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

// The box and the text's left edge come from the last line alone, so it
// must be the longest.
TEST(AboutNoteTest, TwentyOneLinesWithTheLastTheLongest) {
  const std::vector<std::string> lines = aboutNoteLines();
  ASSERT_EQ(lines.size(), 21u);
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    EXPECT_GE(lines[i].size(), 67u) << "line " << i + 1;
    EXPECT_LE(lines[i].size(), 79u) << "line " << i + 1;
  }
  EXPECT_EQ(lines.back().size(), 89u);
  for (const std::string& line : lines) {
    for (char c : line) {
      EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20) << line;
    }
  }
}

struct GeometryCase {
  const char* name;
  TextSize desktop;
  TextSize lastLine;
  int left, top, right, bottom;
};
void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

class AboutOverlayTest : public DialogTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(AboutOverlayTest, BoxAndLinesFollowTheDesktopAndTheLastLine) {
  const GeometryCase& c = GetParam();
  const std::vector<std::string> lines = aboutNoteLines();
  gui.setDesktopSize(c.desktop);
  gui.scriptTextSize(lines.back(), c.lastLine);
  showAboutOverlay(program);

  const std::vector<MemoryGui::Painted>& painted = gui.painted();
  ASSERT_EQ(painted.size(), 22u);
  EXPECT_EQ(painted[0].kind, MemoryGui::Painted::Rectangle);
  EXPECT_EQ(painted[0].left, c.left);
  EXPECT_EQ(painted[0].top, c.top);
  EXPECT_EQ(painted[0].right, c.right);
  EXPECT_EQ(painted[0].bottom, c.bottom);
  EXPECT_EQ(painted[0].colour, 0u);
  for (int i = 0; i < 21; ++i) {
    const MemoryGui::Painted& text = painted[static_cast<size_t>(i) + 1];
    EXPECT_EQ(text.kind, MemoryGui::Painted::Text);
    EXPECT_EQ(text.text, lines[static_cast<size_t>(i)]);
    EXPECT_EQ(text.left, c.left + 5) << "line " << i + 1;
    EXPECT_EQ(text.top, c.top + 16 * i) << "line " << i + 1;
    EXPECT_EQ(text.colour, 0x000B65F4u);
  }
  EXPECT_FALSE(gui.overlayOpen());
  EXPECT_EQ(gui.fontsAlive(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AboutOverlayTest,
    ::testing::Values(GeometryCase{"Desktop1280", {1280, 1024}, {890, 18}, 195, 323, 1095, 665},
                      // 1365 / 2 and 891 / 2 are truncated on their own: 682 - 445.
                      GeometryCase{"OddWidths", {1365, 1024}, {891, 18}, 237, 323, 1138, 665},
                      // (17 * 21) / 2 is one quotient: 178, not 8 * 21 or 8.5 * 21.
                      GeometryCase{"OddHeight", {1280, 1024}, {890, 17}, 195, 334, 1095, 657}),
    CaseName());

TEST_F(DialogTest, OverlayPaintsNothingWithoutADeviceContext) {
  MemoryGui bare;  // no main window to paint on
  Program noWindow{bare, *system};
  showAboutOverlay(noWindow);
  EXPECT_TRUE(bare.painted().empty());
  EXPECT_EQ(bare.fontsAlive(), 0);
}

TEST_F(DialogTest, EveryShowingPaintsTheSameAgainWithItsOwnFont) {
  showAboutOverlay(program);
  const std::vector<MemoryGui::Painted> first = gui.painted();
  showAboutOverlay(program);
  ASSERT_EQ(gui.painted().size(), 2 * first.size());
  EXPECT_EQ(gui.painted()[first.size()].left, first[0].left);
  EXPECT_EQ(gui.painted()[first.size()].top, first[0].top);
  EXPECT_EQ(gui.fontsAlive(), 0);
}

}  // namespace
}  // namespace qk::test
