#pragma once
// What Win32Gui keeps about its windows, controls, menus and the overlay.
// Private to platform/win32: included only by the gui*.cpp files.
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_gui.h"

namespace qk {

// A tree's items as the program appended them. The control gets them in an
// order that stays linear under Wine (see insertPendingTreeItems); the row
// number of every item travels in TVITEM.lParam.
struct TreeModel {
  struct Item {
    std::string text;
    int image = 0;
    int parent = -1;  // row of the parent, -1 for a top-level item
  };
  std::vector<Item> items;         // by row
  std::vector<int> subtreeEnd;     // by row: the first row after its subtree, -1 for the end
  std::vector<int> path;           // the last item and its ancestors, by level
  std::vector<HTREEITEM> handles;  // by row, for the rows already in the control
};

struct ControlState {
  int window = 0;
  int id = 0;
  ControlKind kind = ControlKind::StaticText;
  HWND hwnd = nullptr;
  bool hasBackground = false;
  COLORREF background = 0;
  bool hiddenBeforeBulk = false;
  TreeModel tree;
};

struct WindowState {
  Win32Gui::State* gui = nullptr;
  int id = 0;
  HWND hwnd = nullptr;
  std::vector<int> controls;  // in creation order
};

struct Win32Gui::State {
  HINSTANCE instance = nullptr;
  std::deque<Event> events;
  std::map<int, std::unique_ptr<WindowState>> windows;
  std::map<int, ControlState> controls;
  std::map<COLORREF, HBRUSH> brushes;
  std::map<int, HMENU> menus;
  HIMAGELIST treeImages = nullptr;
  struct Overlay {
    HDC dc = nullptr;
    HWND window = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previousFont = nullptr;
    UINT previousAlign = 0;
  } overlay;

  HWND windowHandle(int window) const;
  int windowNumber(HWND hwnd) const;  // 0 when the window is not one of ours
  ControlState* control(int control);
  ControlState* controlByHandle(HWND hwnd);
  void queueControlEvent(const ControlState& control, int type);
  void forgetWindow(int window);

  // Window procedure work (gui_events.cpp).
  bool translateMessage(WindowState& window, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& result);
  // Tab and Shift+Tab; true when the message was taken (gui_events.cpp).
  bool takeTabKey(const MSG& message);

  // Trees (gui_tree.cpp).
  void insertPendingTreeItems(ControlState& tree);
  void insertAllPendingTreeItems();
  HTREEITEM treeItem(ControlState& tree, int row);
  bool treeRowExpanded(ControlState& tree, int row);
  int treeRow(ControlState& tree, HTREEITEM item);
  void clearTree(ControlState& tree);
  void selectTreeItemUnderMouse(ControlState& tree);

  // Message boxes and the file dialog (gui_modal.cpp): disables the other
  // windows and returns the owner to use.
  HWND beginModal(std::vector<HWND>& disabled);
  void endModal(HWND owner, const std::vector<HWND>& disabled);
};

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qk
