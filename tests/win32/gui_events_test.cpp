#include "win32/gui_fixture.h"

namespace qk::test {
namespace {

// Controls of one window in creation order: Tab skips the disabled button,
// the static text (no tab stop) and the hidden button.
class KeyboardTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(gui.createControl(1, 101, ControlKind::SingleLineEdit, {0, 0, 100, 20}, "Name"));
    ASSERT_TRUE(gui.createControl(1, 102, ControlKind::MultiLineEdit, {0, 30, 100, 60}, "ab"));
    ASSERT_TRUE(gui.createControl(1, 103, ControlKind::PushButton, {0, 100, 75, 20}, "Aus"));
    ASSERT_TRUE(gui.createControl(1, 104, ControlKind::StaticText, {0, 130, 75, 20}, "Text"));
    ASSERT_TRUE(gui.createControl(1, 105, ControlKind::PushButton, {0, 160, 75, 20}, "OK"));
    ASSERT_TRUE(gui.createControl(1, 106, ControlKind::PushButton, {0, 190, 75, 20}, "Weg"));
    gui.enableControl(103, false);
    gui.showControl(106, false);
    gui.activateWindow(1);
  }
  // A key pressed on the focused control, as the keyboard would post it.
  void press(WPARAM key, bool withChar) {
    HWND focus = GetFocus();
    LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(focus, WM_KEYDOWN, key, 1 | scanCode);
    if (withChar) PostMessageA(focus, WM_CHAR, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001 | scanCode);
  }
  void setShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
};

TEST_F(KeyboardTest, TabAndShiftTabMoveInCreationOrderAndWrap) {
  SetFocus(control(101));
  const int forward[] = {102, 105, 101};
  for (int expected : forward) {
    press(VK_TAB, true);
    eventsSoFar();
    EXPECT_EQ(GetFocus(), control(expected)) << expected;
  }
  setShift(true);
  const int backward[] = {105, 102};
  for (int expected : backward) {
    press(VK_TAB, true);
    eventsSoFar();
    EXPECT_EQ(GetFocus(), control(expected)) << expected;
  }
  setShift(false);
}

TEST_F(KeyboardTest, AMultiLineEditNeverGetsATabButEnterStartsANewLine) {
  SetFocus(control(102));
  SendMessageA(control(102), EM_SETSEL, 2, 2);
  press(VK_TAB, true);
  eventsSoFar();
  EXPECT_EQ(gui.text(102), "ab");
  EXPECT_EQ(GetFocus(), control(105));
  SetFocus(control(102));
  SendMessageA(control(102), EM_SETSEL, 2, 2);
  press(VK_RETURN, true);
  eventsSoFar();
  EXPECT_EQ(gui.text(102).substr(0, 4), "ab\r\n");
}

TEST_F(KeyboardTest, EnterAndEscapePressNoButton) {
  SetFocus(control(105));
  press(VK_RETURN, false);
  press(VK_ESCAPE, false);
  EXPECT_TRUE(controlEventsSoFar().empty());
  press(VK_SPACE, false);  // the space bar does press a focused button
  std::vector<Event> events = controlEventsSoFar();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].control, 105);
}

}  // namespace
}  // namespace qk::test
