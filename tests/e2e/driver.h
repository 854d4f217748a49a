#pragma once
// Drives the real quellkiste.exe from another Win32 process, as a user would:
// starts it in a working directory, finds its windows and controls by title
// and number, reads what they show and acts on them through window messages.
//
// Every wait polls a condition and gives up after a timeout with a message
// that says what did not happen; the results are AssertionResults, so a
// journey writes ASSERT_TRUE(program.waitForMainWindow()).
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qk::e2e {

constexpr DWORD kWaitMs = 15000;

// Polls `condition` every 10 ms until it holds; fails after `timeoutMs` with
// "timed out after N ms waiting for <what>".
testing::AssertionResult waitUntil(const std::string& what, const std::function<bool()>& condition,
                                   DWORD timeoutMs = kWaitMs);

// quellkiste.exe of this build, in Windows form.
std::string programPath();
// C:\users\<user> of this prefix (CSIDL_PROFILE).
std::string profileFolder();
// The program's settings file in the profile folder.
std::string settingsFilePath();
// gethostname after WSAStartup 1.1, as the program asks for it.
std::string hostName();

// Texts and state of any window or control, read across processes.
std::string windowText(HWND window);
// Replaces the text of an edit field (WM_SETTEXT, as typed text would).
void setText(HWND window, const std::string& text);
bool isVisible(HWND window);
bool isEnabled(HWND window);
// The window's rectangle in the client coordinates of `parent`.
RECT rectIn(HWND window, HWND parent);
SIZE clientSize(HWND window);
// Resizes a top-level window so that its client area would be width x height.
void setClientSize(HWND window, int width, int height);

// The rows of a list box (sent as W: Wine returns UTF-16 across processes),
// in the ANSI code page.
std::vector<std::string> listRows(HWND list);
int listSelection(HWND list);
// The row's rectangle in the list's client coordinates (Wine carries the
// RECT of LB_GETITEMRECT across processes).
RECT listRowRect(HWND list, int row);
// Selects a row of a drop-down list without notifying (CB_SETCURSEL).
void selectComboRow(HWND combo, int row);

// Mouse input at a point in the window's client coordinates. The cursor is
// moved there first: the program's hit tests read the real cursor.
void click(HWND window, POINT point);
void doubleClick(HWND window, POINT point);
void rightClick(HWND window, POINT point);
POINT centerOf(const RECT& rect);
// Posts BM_CLICK, so the driver never waits inside the program's modal loops.
void pressButton(HWND button);

// A message box: its text (the static 0xFFFF), and OK.
std::string messageBoxText(HWND box);
void pressOk(HWND box);
// The file-open dialog: types the full path into the file-name field and
// presses OK.
void chooseFile(HWND dialog, const std::string& fullPath);
// A popup menu: the item `downPresses` arrow-down steps from the top, then
// Enter.
void chooseMenuItem(HWND menu, int downPresses);

// Writes a PNG of the screen under the window (popups over it included) to
// <build>/e2e-screenshots/<name>.png and returns that path; empty on failure.
std::string saveScreenshot(HWND window, const std::string& name);
// The colour of a screen pixel at a point in the window's client coordinates.
COLORREF screenPixel(HWND window, POINT point);

// One tree item as read from the program's process.
struct TreeItem {
  HTREEITEM handle = nullptr;
  std::string text;
  int level = 0;
  int image = 0;
  UINT state = 0;
};

// The running program.
class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // A program still running here (a journey that failed) is ended.
  ~Program();

  // Starts quellkiste.exe in `workDir`; `parameters` follow the program's
  // quoted path on the command line as they are.
  testing::AssertionResult start(const std::string& workDir, const std::string& parameters = "");
  // Waits for the program's top-level window with this title and its last
  // control, then for the program to wait for input.
  testing::AssertionResult waitForMainWindow(const std::string& title = "Quellkiste");
  // start + waitForMainWindow.
  testing::AssertionResult open(const std::string& workDir, const std::string& parameters = "",
                                const std::string& title = "Quellkiste");
  // Waits until the program waits for input (WaitForInputIdle).
  testing::AssertionResult waitForIdle();

  HWND window() const { return window_; }
  // The class of the main window, which the program's dialogs share.
  std::string mainWindowClass() const;
  HWND control(int id) const { return GetDlgItem(window_, id); }
  DWORD processId() const { return info_.dwProcessId; }

  // Posts WM_CLOSE to the main window and waits for the process to end.
  testing::AssertionResult close(DWORD& exitCode);
  testing::AssertionResult waitForExit(DWORD& exitCode);

  // A visible top-level window of the program with this class and title.
  testing::AssertionResult waitForWindow(const char* className, const std::string& title,
                                         HWND& found, DWORD timeoutMs = kWaitMs);
  // A message box ("#32770") with this title.
  testing::AssertionResult waitForMessageBox(const std::string& title, HWND& box);
  // The visible file-open dialog (its title depends on Wine's locale): the
  // program's "#32770" that has the file-name field.
  testing::AssertionResult waitForFileDialog(HWND& dialog);
  // The visible popup menu ("#32768").
  testing::AssertionResult waitForPopupMenu(HWND& menu);
  // Waits until `window` is gone.
  testing::AssertionResult waitForGone(HWND window, const std::string& what);

  // Every item of a tree control, expanded or not, top to bottom, with its
  // level (TVGN_ROOT, TVGN_CHILD, TVGN_NEXT).
  std::vector<TreeItem> treeItems(HWND tree) const;
  // The item's text rectangle in the tree's client coordinates; false when
  // it is not shown (a collapsed parent).
  bool treeItemRect(HWND tree, HTREEITEM item, RECT& rect) const;
  // Clicks the tab, scrolling the strip with its arrows while the tab is
  // out of view, and waits until it is the selected one.
  testing::AssertionResult clickTab(HWND tabs, int index);

 private:
  // Sends `message` to `window` with lParam pointing at a copy of `data` in
  // the program's memory, and copies the block back.
  LRESULT sendWithRemoteBuffer(HWND window, UINT message, WPARAM wParam, void* data,
                               size_t size) const;
  bool tabRect(HWND tabs, int index, RECT& rect) const;

  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
};

}  // namespace qk::e2e
