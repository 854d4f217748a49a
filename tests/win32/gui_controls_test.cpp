#include <iterator>

#include "win32/gui_fixture.h"

namespace qk::test {
namespace {

struct KindCase {
  ControlKind kind;
  const char* className;
  DWORD style;
  DWORD extendedStyle;
};

constexpr DWORD kBase = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kBase | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kMultiLine =
    kEdit | WS_VSCROLL | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE | ES_CENTER | ES_RIGHT;

const KindCase kKinds[] = {
    {ControlKind::SingleLineEdit, "Edit", kEdit, WS_EX_CLIENTEDGE},
    {ControlKind::MultiLineEdit, "Edit", kMultiLine, WS_EX_CLIENTEDGE},
    {ControlKind::ReadOnlyMultiLineEdit, "Edit", kMultiLine | ES_READONLY, WS_EX_CLIENTEDGE},
    {ControlKind::PushButton, "Button", kBase | WS_TABSTOP | WS_GROUP, 0},
    {ControlKind::StaticText, "Static", kBase | WS_GROUP, 0},
    {ControlKind::SunkenStaticText, "Static", kBase | WS_GROUP, WS_EX_CLIENTEDGE},
    {ControlKind::GroupBox, "Button", kBase | WS_GROUP | BS_GROUPBOX, 0},
    {ControlKind::CheckBox, "Button", kBase | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0},
    {ControlKind::ListBox, "ListBox",
     kBase | WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE},
    {ControlKind::DropDownList, "ComboBox",
     kBase | WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_BORDER | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
     WS_EX_CLIENTEDGE},
    {ControlKind::TreeView, "SysTreeView32",
     kBase | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
     WS_EX_CLIENTEDGE},
    {ControlKind::TabStrip, "SysTabControl32", kBase | WS_GROUP | WS_TABSTOP, WS_EX_TRANSPARENT},
};

using ControlsTest = GuiTest;

// The class and styles each control is created with, as CreateWindowExA got
// them: some controls change their own style afterwards (a combo box draws
// its own border, a tab strip adds WS_CLIPSIBLINGS).
struct Created {
  std::string className;
  DWORD style;
  DWORD extendedStyle;
};
std::vector<Created> gCreated;

LRESULT CALLBACK recordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if (create->style & WS_CHILD)
      gCreated.push_back({HIWORD(reinterpret_cast<UINT_PTR>(create->lpszClass))
                              ? create->lpszClass
                              : "",
                          static_cast<DWORD>(create->style), create->dwExStyle});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ControlsTest, EachKindIsItsClassWithExactlyItsStylesAndTheGuiFont) {
  gCreated.clear();
  HHOOK hook = SetWindowsHookExA(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  int number = 20;
  for (const KindCase& kind : kKinds)
    ASSERT_TRUE(gui.createControl(1, number++, kind.kind, {5, 5, 120, 60}, "x"));
  UnhookWindowsHookEx(hook);
  number = 20;
  std::vector<Created> created;
  for (const Created& c : gCreated)  // a combo box also makes its drop-down list
    if (c.className != "ComboLBox") created.push_back(c);
  ASSERT_EQ(created.size(), std::size(kKinds));
  for (size_t i = 0; i < created.size(); ++i, ++number) {
    const KindCase& kind = kKinds[i];
    SCOPED_TRACE(kind.className + std::string(" #") + std::to_string(number));
    EXPECT_EQ(created[i].className, kind.className);
    EXPECT_EQ(created[i].style, kind.style);
    EXPECT_EQ(created[i].extendedStyle, kind.extendedStyle);
    HWND hwnd = control(number);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, kind.className);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP, kind.style & WS_TABSTOP);
    EXPECT_EQ(GetDlgCtrlID(hwnd), number);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
  }
  EXPECT_FALSE(gui.createControl(1, 20, ControlKind::PushButton, {}, "taken"));
  EXPECT_FALSE(gui.createControl(7, 99, ControlKind::PushButton, {}, "no window"));
}

TEST_F(ControlsTest, ALaterControlLiesAboveTheFrameAroundIt) {
  ASSERT_TRUE(gui.createControl(1, 1, ControlKind::GroupBox, {5, 5, 300, 400}, "Meine Bibliothek"));
  ASSERT_TRUE(gui.createControl(1, 11, ControlKind::TabStrip, {15, 20, 150, 20}, ""));
  EXPECT_EQ(GetWindow(window(1), GW_CHILD), control(11));
  EXPECT_EQ(GetWindow(control(11), GW_HWNDNEXT), control(1));
}

TEST_F(ControlsTest, TextsStatesAndGeometry) {
  ASSERT_TRUE(gui.createControl(1, 4, ControlKind::ReadOnlyMultiLineEdit, {1, 2, 3, 4}, ""));
  ASSERT_TRUE(gui.createControl(1, 5, ControlKind::CheckBox, {0, 0, 80, 20}, "Ja"));
  gui.setText(4, "Zeile 1\r\nL\xF6schen");
  EXPECT_EQ(gui.text(4), "Zeile 1\r\nL\xF6schen");
  EXPECT_EQ(gui.text(77), "");
  gui.setCheckState(5, 1);
  EXPECT_EQ(gui.checkState(5), 1);
  gui.setCheckState(5, 0);
  EXPECT_EQ(gui.checkState(5), 0);
  gui.moveControl(4, {315, 225, 200, 180});
  RECT rect;
  GetWindowRect(control(4), &rect);
  MapWindowPoints(nullptr, window(1), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 315);
  EXPECT_EQ(rect.top, 225);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 180);
  gui.showControl(4, false);
  EXPECT_FALSE(IsWindowVisible(control(4)));
  gui.enableControl(5, false);
  EXPECT_FALSE(IsWindowEnabled(control(5)));
}

TEST_F(ControlsTest, BackgroundColourComesFromCtlColorStatic) {
  ASSERT_TRUE(gui.createControl(1, 4, ControlKind::ReadOnlyMultiLineEdit, {0, 0, 50, 50}, ""));
  ASSERT_TRUE(gui.createControl(1, 3, ControlKind::StaticText, {60, 0, 50, 50}, ""));
  gui.setControlBackground(4, rgb(235, 235, 228));
  HDC dc = GetDC(control(4));
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      window(1), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control(4))));
  EXPECT_EQ(GetBkColor(dc), rgb(235, 235, 228));
  LOGBRUSH info{};
  ASSERT_TRUE(GetObjectA(brush, sizeof info, &info));
  EXPECT_EQ(info.lbColor, rgb(235, 235, 228));
  // The same brush every time, and none of it for a control without a background.
  EXPECT_EQ(SendMessageA(window(1), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control(4))),
            reinterpret_cast<LRESULT>(brush));
  EXPECT_NE(SendMessageA(window(1), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control(3))),
            reinterpret_cast<LRESULT>(brush));
  ReleaseDC(control(4), dc);
}

std::string listText(HWND list, int row) {
  char text[256] = "";
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST_F(ControlsTest, ListRowsInsertAtTheirRowAndSelectWithoutEvents) {
  ASSERT_TRUE(gui.createControl(1, 2, ControlKind::ListBox, {0, 0, 200, 100}, ""));
  gui.beginRows(2, 3);
  gui.insertRow(2, 0, "Beta");
  gui.insertRow(2, 5, "Gamma");  // past the end: appended
  gui.insertRow(2, 0, "Alpha");
  gui.endRows(2);
  ASSERT_EQ(gui.rowCount(2), 3);
  EXPECT_EQ(listText(control(2), 0), "Alpha");
  EXPECT_EQ(listText(control(2), 1), "Beta");
  EXPECT_EQ(listText(control(2), 2), "Gamma");
  EXPECT_EQ(gui.selectedRow(2), -1);
  gui.selectRow(2, 2);
  EXPECT_EQ(gui.selectedRow(2), 2);
  gui.selectRow(2, 3);
  EXPECT_EQ(gui.selectedRow(2), -1);
  EXPECT_TRUE(controlEventsSoFar().empty());
  gui.clearRows(2);
  EXPECT_EQ(gui.rowCount(2), 0);
}

TEST_F(ControlsTest, DropDownAndTabStripRows) {
  ASSERT_TRUE(gui.createControl(1, 410, ControlKind::DropDownList, {0, 0, 150, 100}, ""));
  ASSERT_TRUE(gui.createControl(1, 11, ControlKind::TabStrip, {0, 120, 150, 20}, ""));
  for (const char* name : {"Standart", "Gruppe", "Ordner"}) {
    gui.insertRow(410, gui.rowCount(410), name);
    gui.insertRow(11, gui.rowCount(11), name);
  }
  EXPECT_EQ(gui.rowCount(410), 3);
  EXPECT_EQ(gui.rowCount(11), 3);
  char text[32] = "";
  TCITEMA tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = text;
  tab.cchTextMax = sizeof text;
  SendMessageA(control(11), TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&tab));
  EXPECT_STREQ(text, "Ordner");
  SendMessageA(control(410), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Gruppe");
  gui.selectRow(11, 2);
  gui.selectRow(410, 1);
  EXPECT_EQ(gui.selectedRow(11), 2);
  EXPECT_EQ(gui.selectedRow(410), 1);
  gui.selectRow(410, -1);
  EXPECT_EQ(gui.selectedRow(410), -1);
  EXPECT_TRUE(controlEventsSoFar().empty());
}

TEST_F(ControlsTest, ClicksBecomeControlEventsOfTheirWindow) {
  ASSERT_TRUE(gui.openDialogWindow(2, "Dialog", 300, 200, 1));
  ASSERT_TRUE(gui.createControl(2, 105, ControlKind::PushButton, {0, 0, 75, 20}, "OK"));
  ASSERT_TRUE(gui.createControl(1, 2, ControlKind::ListBox, {0, 0, 200, 200}, ""));
  gui.insertRow(2, 0, "eins");
  gui.insertRow(2, 1, "zwei");
  PostMessageA(control(105), BM_CLICK, 0, 0);
  RECT item;
  SendMessageA(control(2), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  LPARAM at = MAKELPARAM(item.left + 5, item.top + 2);
  PostMessageA(control(2), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control(2), WM_LBUTTONUP, 0, at);
  PostMessageA(control(2), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(control(2), WM_LBUTTONUP, 0, at);
  std::vector<Event> events = controlEventsSoFar();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].window, 2);
  EXPECT_EQ(events[0].control, 105);
  EXPECT_EQ(events[0].type, kButtonClicked);
  EXPECT_EQ(events[1].window, 1);
  EXPECT_EQ(events[1].control, 2);
  EXPECT_EQ(events[1].type, kListSelectionChanged);
  EXPECT_EQ(events[2].type, kListDoubleClick);
  EXPECT_EQ(gui.selectedRow(2), 1);
}

}  // namespace
}  // namespace qk::test
