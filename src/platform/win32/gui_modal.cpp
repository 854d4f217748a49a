// The message box and the file-open dialog, owned by the program's
// foreground window and guarded: the program's other windows are disabled
// while they are up.
#include "platform/win32/gui_state.h"

#include <commdlg.h>

namespace qk {
namespace {

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

constexpr DWORD kPathBuffer = 260;

}  // namespace

HWND Win32Gui::State::beginModal(std::vector<HWND>& disabled) {
  HWND foreground = GetForegroundWindow();
  HWND owner = windowNumber(foreground) ? foreground : nullptr;
  std::vector<HWND> threadWindows;
  EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&threadWindows));
  for (HWND hwnd : threadWindows) {
    if (!windowNumber(hwnd) || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) continue;
    EnableWindow(hwnd, FALSE);
    disabled.push_back(hwnd);
  }
  return owner;
}

void Win32Gui::State::endModal(HWND owner, const std::vector<HWND>& disabled) {
  for (HWND hwnd : disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  // The owner was disabled when the box closed, so nothing took the
  // activation back; give it to the owner again.
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
}

void Win32Gui::messageBox(const std::string& title, const std::string& text) {
  std::vector<HWND> disabled;
  HWND owner = state_->beginModal(disabled);
  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
  state_->endModal(owner, disabled);
}

std::string Win32Gui::chooseFileToOpen(const std::string& title, const std::string& filter) {
  char path[kPathBuffer] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = kPathBuffer;
  dialog.lpstrInitialDir = "";
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  std::vector<HWND> disabled;
  dialog.hwndOwner = state_->beginModal(disabled);
  BOOL chosen = GetOpenFileNameA(&dialog);
  state_->endModal(dialog.hwndOwner, disabled);
  return chosen ? std::string(path) : std::string();
}

}  // namespace qk
