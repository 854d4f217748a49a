#include <atomic>

#include "win32/gui_fixture.h"

namespace qk::test {
namespace {

using ModalTest = GuiTest;

TEST_F(ModalTest, MessageBoxIsOwnedByTheForegroundWindowAndGuardsTheOthers) {
  ASSERT_TRUE(gui.openDialogWindow(2, "Eintrag", 300, 200, 1));
  ASSERT_TRUE(gui.openDialogWindow(4, "Gruppen", 200, 100, 0));
  ASSERT_TRUE(gui.openDialogWindow(5, "Optionen", 200, 100, 0));
  gui.enableWindow(5, false);  // already disabled: stays so afterwards
  gui.activateWindow(2);
  HWND main = window(1), add = window(2), groups = window(4), options = window(5);
  std::atomic<bool> othersDisabled{false};
  HWND owner = nullptr;
  char text[128] = "";
  std::thread answer([&] {
    HWND box = nullptr;
    if (!waitFor([&] { return (box = findOwnWindow("#32770")) != nullptr; })) return;
    othersDisabled = !IsWindowEnabled(main) && !IsWindowEnabled(add) && !IsWindowEnabled(groups);
    owner = GetWindow(box, GW_OWNER);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  });
  gui.messageBox("Achtung", "Eine Datei ist ein notwendiges \xDC" "bel.");
  answer.join();
  EXPECT_TRUE(othersDisabled);
  EXPECT_EQ(owner, add);
  EXPECT_STREQ(text, "Eine Datei ist ein notwendiges \xDC" "bel.");
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(add));
  EXPECT_TRUE(IsWindowEnabled(groups));
  EXPECT_FALSE(IsWindowEnabled(options));
}

TEST_F(ModalTest, FileDialogReturnsTheChosenPathOrEmptyWhenCancelled) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string path = std::string(folder) + "qk_choose_test.c";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  const std::string filter("C Quellcode\0*.c\0Alle Dateien\0*.*\0\0", 33);
  for (bool cancel : {false, true}) {
    std::atomic<bool> mainDisabled{false};
    std::thread answer([&] {
      HWND dialog = nullptr;
      if (!waitFor([&] { return (dialog = findOwnWindow("#32770")) != nullptr; })) return;
      mainDisabled = !IsWindowEnabled(window(1));
      if (cancel) {
        PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        return;
      }
      HWND name = GetDlgItem(dialog, 0x47C);
      HWND edit = reinterpret_cast<HWND>(SendMessageA(name, CBEM_GETEDITCONTROL, 0, 0));
      SendMessageA(edit ? edit : name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    std::string chosen = gui.chooseFileToOpen("Quellcode ausw\xE4hlen", filter);
    answer.join();
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(window(1)));
    EXPECT_EQ(chosen, cancel ? std::string() : path);
  }
  DeleteFileA(path.c_str());
}

TEST_F(ModalTest, AChosenMenuItemArrivesAsTheNextMenuEvent) {
  ASSERT_TRUE(gui.createPopupMenu(3));
  gui.appendMenuItem(3, 64996, "Alles Ausklappen", false);
  gui.appendMenuSeparator(3);
  gui.appendMenuItem(3, 65000, "Gruppen", false);
  gui.greyMenuItem(3, 65000);
  gui.appendMenuItem(3, 0, "Tools", true);
  EXPECT_TRUE(gui.popupMenuExists(3));
  eventsSoFar();
  std::thread choose([] {
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = findOwnWindow("#32768")) != nullptr; })) return;
    PostMessageA(menu, WM_KEYDOWN, VK_END, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  });
  gui.showPopupMenu(3, 1);
  choose.join();
  std::vector<Event> events = eventsSoFar();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, kEventMenu);
  EXPECT_EQ(events[0].menuItem, 0);
  gui.destroyPopupMenu(3);
  EXPECT_FALSE(gui.popupMenuExists(3));
}

TEST_F(ModalTest, OverlayPaintsFilledRectanglesAndTextInTheClientArea) {
  TextSize desktop = gui.desktopSize();
  EXPECT_EQ(desktop.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(desktop.height, GetSystemMetrics(SM_CYSCREEN));
  UpdateWindow(window(1));
  ASSERT_TRUE(gui.beginOverlay(1, "Courier New", 12));
  TextSize one = gui.measureText("M");
  TextSize ten = gui.measureText("MMMMMMMMMM");
  EXPECT_GT(one.height, 0);
  EXPECT_EQ(ten.width, 10 * one.width);  // a fixed-pitch font
  gui.fillRectangle(10, 10, 200, 60, rgb(0, 0, 0));
  gui.fillRectangle(10, 100, 200, 150, rgb(244, 101, 11));
  gui.drawText(15, 12, "MMMM", rgb(244, 101, 11));
  HDC dc = GetDC(window(1));
  EXPECT_EQ(GetPixel(dc, 100, 55), rgb(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 10, 100), rgb(244, 101, 11));  // outlined in the colour too
  EXPECT_EQ(GetPixel(dc, 100, 125), rgb(244, 101, 11));
  int textPixels = 0;
  for (int x = 15; x < 15 + 4 * one.width; ++x)
    for (int y = 12; y < 12 + one.height; ++y) textPixels += GetPixel(dc, x, y) == rgb(244, 101, 11);
  EXPECT_GT(textPixels, 10);
  ReleaseDC(window(1), dc);
  gui.endOverlay();
  EXPECT_EQ(gui.measureText("M").width, 0);
}

}  // namespace
}  // namespace qk::test
