// Top-level windows: the one window class, the main window, dialog windows.
#include <algorithm>

#include "platform/win32/gui_state.h"

namespace qk {
namespace {

constexpr char kWindowClass[] = "QuellkisteWindow";
constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kDialogWindowStyle = WS_CAPTION;

void registerWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  // A second Win32Gui in the same process finds the class already there.
  RegisterClassExA(&windowClass);
}

SIZE outerSize(int clientWidth, int clientHeight, DWORD style) {
  RECT rect{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rect, style, FALSE, 0);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Win32Gui::Win32Gui() : state_(std::make_unique<State>()) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  state_->instance = GetModuleHandleA(nullptr);
  registerWindowClass(state_->instance);
}

Win32Gui::~Win32Gui() {
  endOverlay();
  std::vector<int> windows;
  for (const auto& entry : state_->windows) windows.push_back(entry.first);
  for (int window : windows) destroyWindow(window);
  for (const auto& entry : state_->menus) DestroyMenu(entry.second);
  for (const auto& entry : state_->brushes) DeleteObject(entry.second);
  if (state_->treeImages) ImageList_Destroy(state_->treeImages);
}

HWND Win32Gui::State::windowHandle(int window) const {
  auto found = windows.find(window);
  return found == windows.end() ? nullptr : found->second->hwnd;
}

int Win32Gui::State::windowNumber(HWND hwnd) const {
  if (!hwnd) return 0;
  for (const auto& entry : windows)
    if (entry.second->hwnd == hwnd) return entry.first;
  return 0;
}

ControlState* Win32Gui::State::control(int control) {
  auto found = controls.find(control);
  return found == controls.end() ? nullptr : &found->second;
}

ControlState* Win32Gui::State::controlByHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (auto& entry : controls)
    if (entry.second.hwnd == hwnd) return &entry.second;
  return nullptr;
}

void Win32Gui::State::forgetWindow(int window) {
  auto found = windows.find(window);
  if (found == windows.end()) return;
  for (int control : found->second->controls) controls.erase(control);
  windows.erase(found);
}

void* Win32Gui::windowHandle(int window) const { return state_->windowHandle(window); }

void* Win32Gui::controlHandle(int control) const {
  ControlState* found = state_->control(control);
  return found ? found->hwnd : nullptr;
}

bool Win32Gui::openMainWindow(const std::string& title, int clientWidth, int clientHeight) {
  if (state_->windowHandle(1)) return false;
  auto window = std::make_unique<WindowState>();
  window->gui = state_.get();
  window->id = 1;
  WindowState* created = window.get();
  state_->windows[1] = std::move(window);
  SIZE outer = outerSize(clientWidth, clientHeight, kMainWindowStyle);
  HWND hwnd = CreateWindowExA(0, kWindowClass, title.c_str(), kMainWindowStyle, 0, 0, outer.cx,
                              outer.cy, nullptr, nullptr, state_->instance, created);
  if (!hwnd) {
    state_->windows.erase(1);
    return false;
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  return true;
}

bool Win32Gui::openDialogWindow(int window, const std::string& title, int clientWidth,
                                int clientHeight, int owner) {
  if (state_->windowHandle(window)) return false;
  auto created = std::make_unique<WindowState>();
  created->gui = state_.get();
  created->id = window;
  WindowState* pointer = created.get();
  state_->windows[window] = std::move(created);
  SIZE outer = outerSize(clientWidth, clientHeight, kDialogWindowStyle);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int width = std::min<int>(outer.cx, screenWidth);
  int height = std::min<int>(outer.cy, screenHeight);
  HWND hwnd = CreateWindowExA(0, kWindowClass, title.c_str(), kDialogWindowStyle,
                              (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                              state_->windowHandle(owner), nullptr, state_->instance, pointer);
  if (!hwnd) {
    state_->windows.erase(window);
    return false;
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  return true;
}

void Win32Gui::destroyWindow(int window) {
  // WM_NCDESTROY forgets the window and its controls (and those of the
  // windows it owns, which go with it).
  if (HWND hwnd = state_->windowHandle(window)) DestroyWindow(hwnd);
}

void Win32Gui::enableWindow(int window, bool enabled) {
  if (HWND hwnd = state_->windowHandle(window)) EnableWindow(hwnd, enabled);
}

bool Win32Gui::isWindowEnabled(int window) {
  HWND hwnd = state_->windowHandle(window);
  return hwnd && IsWindowEnabled(hwnd);
}

void Win32Gui::activateWindow(int window) {
  HWND hwnd = state_->windowHandle(window);
  if (!hwnd) return;
  SetForegroundWindow(hwnd);
  SetActiveWindow(hwnd);
}

void Win32Gui::setWindowTitle(int window, const std::string& title) {
  if (HWND hwnd = state_->windowHandle(window)) SetWindowTextA(hwnd, title.c_str());
}

TextSize Win32Gui::clientSize(int window) {
  RECT rect{};
  HWND hwnd = state_->windowHandle(window);
  if (!hwnd || !GetClientRect(hwnd, &rect)) return {};
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Win32Gui::setClientSize(int window, int width, int height) {
  HWND hwnd = state_->windowHandle(window);
  if (!hwnd) return;
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
  SetWindowPos(hwnd, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string commandLineParameters() {
  const char* rest = GetCommandLineA();
  if (*rest == '"') {
    ++rest;
    while (*rest && *rest != '"') ++rest;
    if (*rest) ++rest;
  } else {
    while (*rest && *rest != ' ' && *rest != '\t') ++rest;
  }
  return rest;
}

}  // namespace qk
