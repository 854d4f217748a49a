#include <algorithm>

#include "win32/gui_fixture.h"

namespace qk::test {
namespace {

using WindowsTest = GuiTest;

RECT outerRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

TEST_F(WindowsTest, MainWindowIsOverlappedAtTheTopLeftWithItsClientSize) {
  HWND main = window(1);
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(gui.clientSize(1).width, 520);
  EXPECT_EQ(gui.clientSize(1).height, 440);
  EXPECT_EQ(outerRect(main).left, 0);
  EXPECT_EQ(outerRect(main).top, 0);
  EXPECT_EQ(GetClassLongA(main, GCL_STYLE) & CS_DBLCLKS, static_cast<DWORD>(CS_DBLCLKS));
  EXPECT_FALSE(gui.openMainWindow("again", 10, 10));
}

struct DialogCase {
  int clientWidth, clientHeight, owner;
};

TEST_F(WindowsTest, DialogWindowsHaveOnlyACaptionAndAreCentredWithinTheScreen) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const DialogCase cases[] = {{301, 151, 1}, {260, 333, 0}, {screenWidth + 100, 120, 1}};
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.clientWidth) + " x " + std::to_string(c.clientHeight));
    ASSERT_TRUE(gui.openDialogWindow(2, "Eintrag", c.clientWidth, c.clientHeight, c.owner));
    HWND dialog = window(2);
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP), 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), c.owner ? window(1) : nullptr);
    RECT frame{0, 0, c.clientWidth, c.clientHeight};
    AdjustWindowRectEx(&frame, WS_CAPTION, FALSE, 0);
    int width = std::min<int>(frame.right - frame.left, screenWidth);
    int height = std::min<int>(frame.bottom - frame.top, screenHeight);
    RECT outer = outerRect(dialog);
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    EXPECT_EQ(outer.left, (screenWidth - width) / 2);
    EXPECT_EQ(outer.top, (screenHeight - height) / 2);
    if (width < screenWidth) {
      EXPECT_EQ(gui.clientSize(2).width, c.clientWidth);
    }
    gui.destroyWindow(2);
    EXPECT_EQ(window(2), nullptr);
  }
}

TEST_F(WindowsTest, CloseAndSizeMessagesBecomeEventsAndTheWindowStays) {
  ASSERT_TRUE(gui.openDialogWindow(4, "Gruppen", 200, 100, 0));
  ASSERT_TRUE(gui.createControl(4, 301, ControlKind::ListBox, {0, 0, 10, 10}, ""));
  eventsSoFar();
  PostMessageA(window(4), WM_CLOSE, 0, 0);
  gui.setClientSize(1, 600, 500);
  std::vector<Event> events = eventsSoFar();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, kEventSize);  // sent at once by SetWindowPos
  EXPECT_EQ(events[0].window, 1);
  EXPECT_EQ(events[1].kind, kEventClose);
  EXPECT_EQ(events[1].window, 4);
  EXPECT_TRUE(IsWindow(window(4)));
  EXPECT_EQ(gui.clientSize(1).width, 600);
  EXPECT_EQ(gui.clientSize(1).height, 500);
  EXPECT_EQ(outerRect(window(1)).left, 0);
  gui.destroyWindow(4);
  EXPECT_EQ(control(301), nullptr);
  EXPECT_EQ(gui.clientSize(4).width, 0);
}

TEST_F(WindowsTest, EnablingTitlesAndOwnedWindowsGoWithTheirOwner) {
  ASSERT_TRUE(gui.openDialogWindow(3, "Bearbeiten", 200, 100, 1));
  gui.enableWindow(1, false);
  EXPECT_FALSE(gui.isWindowEnabled(1));
  gui.enableWindow(1, true);
  EXPECT_TRUE(gui.isWindowEnabled(1));
  gui.setWindowTitle(1, "Quellkiste - C:\\x y\\k.ksf");
  char title[64] = "";
  GetWindowTextA(window(1), title, sizeof title);
  EXPECT_STREQ(title, "Quellkiste - C:\\x y\\k.ksf");
  HWND dialog = window(3);
  gui.destroyWindow(1);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(window(3), nullptr);
  EXPECT_FALSE(gui.isWindowEnabled(1));
}

}  // namespace
}  // namespace qk::test
