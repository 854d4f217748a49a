// Popup menus by number; a chosen item comes back through WM_COMMAND to the
// owner window as a menu event.
#include "platform/win32/gui_state.h"

namespace qk {
namespace {

HMENU findMenu(const std::map<int, HMENU>& menus, int menu) {
  auto found = menus.find(menu);
  return found == menus.end() ? nullptr : found->second;
}

}  // namespace

bool Win32Gui::createPopupMenu(int menu) {
  destroyPopupMenu(menu);
  HMENU created = CreatePopupMenu();
  if (!created) return false;
  state_->menus[menu] = created;
  return true;
}

void Win32Gui::destroyPopupMenu(int menu) {
  auto found = state_->menus.find(menu);
  if (found == state_->menus.end()) return;
  DestroyMenu(found->second);
  state_->menus.erase(found);
}

bool Win32Gui::popupMenuExists(int menu) { return findMenu(state_->menus, menu) != nullptr; }

void Win32Gui::appendMenuItem(int menu, int item, const std::string& text, bool checked) {
  if (HMENU found = findMenu(state_->menus, menu))
    AppendMenuA(found, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED),
                static_cast<UINT_PTR>(item), text.c_str());
}

void Win32Gui::appendMenuSeparator(int menu) {
  if (HMENU found = findMenu(state_->menus, menu)) AppendMenuA(found, MF_SEPARATOR, 0, nullptr);
}

void Win32Gui::greyMenuItem(int menu, int item) {
  if (HMENU found = findMenu(state_->menus, menu))
    EnableMenuItem(found, static_cast<UINT>(item), MF_BYCOMMAND | MF_GRAYED);
}

void Win32Gui::showPopupMenu(int menu, int owner) {
  HMENU found = findMenu(state_->menus, menu);
  HWND window = state_->windowHandle(owner);
  if (!found || !window) return;
  // The owner must be in the foreground, or the menu does not close when
  // the user clicks elsewhere.
  SetForegroundWindow(window);
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(found, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
}

}  // namespace qk
