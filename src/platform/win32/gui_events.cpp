// The window procedure, which only turns messages into queued events, and
// the loop that waits for the next event, with Tab and Shift+Tab.
#include "platform/tab_order.h"
#include "platform/win32/gui_state.h"

namespace qk {
namespace {

// The event type of a WM_COMMAND notification, -1 for none the program uses.
int commandEventType(ControlKind kind, int code) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
      return code == BN_CLICKED ? kButtonClicked : -1;
    case ControlKind::ListBox:
      if (code == LBN_SELCHANGE) return kListSelectionChanged;
      return code == LBN_DBLCLK ? kListDoubleClick : -1;
    case ControlKind::DropDownList:
      return code == CBN_SELCHANGE ? kListSelectionChanged : -1;
    default:
      return -1;
  }
}

// The event type of a WM_NOTIFY notification, -1 for none the program uses.
int notifyEventType(ControlKind kind, UINT code) {
  if (kind == ControlKind::TabStrip) return code == TCN_SELCHANGE ? kTabChanged : -1;
  if (kind != ControlKind::TreeView) return -1;
  switch (code) {
    case NM_CLICK:
      return kTreeClick;
    case NM_RCLICK:
      return kTreeRightClick;
    case NM_DBLCLK:
      return kTreeDoubleClick;
    default:
      return -1;
  }
}

// The control of `window` that holds the focus or contains the window that
// does (a combo box's parts), else nullptr.
HWND focusedChildOf(HWND window) {
  HWND focus = GetFocus();
  while (focus && GetParent(focus) != window) focus = GetParent(focus);
  return focus;
}

}  // namespace

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* window = static_cast<WindowState*>(create->lpCreateParams);
    window->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<WindowState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window->gui->forgetWindow(window->id);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (window->gui->translateMessage(*window, message, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Win32Gui::State::queueControlEvent(const ControlState& control, int type) {
  Event event;
  event.kind = kEventControl;
  event.window = control.window;
  event.control = control.id;
  event.type = type;
  events.push_back(event);
}

bool Win32Gui::State::translateMessage(WindowState& window, UINT message, WPARAM wParam,
                                       LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CLOSE: {
      Event event;
      event.kind = kEventClose;
      event.window = window.id;
      events.push_back(event);
      result = 0;
      return true;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        Event event;
        event.kind = kEventSize;
        event.window = window.id;
        events.push_back(event);
      }
      return false;
    case WM_COMMAND: {
      if (lParam == 0) {
        if (HIWORD(wParam) != 0) return false;
        Event event;
        event.kind = kEventMenu;
        event.window = window.id;
        event.menuItem = LOWORD(wParam);
        events.push_back(event);
        result = 0;
        return true;
      }
      ControlState* source = controlByHandle(reinterpret_cast<HWND>(lParam));
      if (!source) return false;
      int type = commandEventType(source->kind, HIWORD(wParam));
      if (type >= 0) queueControlEvent(*source, type);
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      ControlState* source = controlByHandle(header->hwndFrom);
      if (!source) return false;
      int type = notifyEventType(source->kind, header->code);
      if (type < 0) return false;
      if (type == kTreeRightClick) selectTreeItemUnderMouse(*source);
      queueControlEvent(*source, type);
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      ControlState* source = controlByHandle(reinterpret_cast<HWND>(lParam));
      if (!source || !source->hasBackground) return false;
      HBRUSH& brush = brushes[source->background];
      if (!brush) brush = CreateSolidBrush(source->background);
      SetBkColor(reinterpret_cast<HDC>(wParam), source->background);
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default:
      return false;
  }
}

bool Win32Gui::State::takeTabKey(const MSG& message) {
  if (message.message == WM_CHAR && message.wParam == '\t') return true;
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  int number = windowNumber(GetActiveWindow());
  if (!number) number = windowNumber(GetAncestor(message.hwnd, GA_ROOT));
  auto window = windows.find(number);
  if (window == windows.end()) return true;
  std::vector<TabCandidate> candidates;
  for (int id : window->second->controls) {
    HWND hwnd = controls[id].hwnd;
    TabCandidate candidate;
    candidate.control = id;
    candidate.tabStop = (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
    candidate.enabled = IsWindowEnabled(hwnd) != FALSE;
    candidate.visible = IsWindowVisible(hwnd) != FALSE;
    candidates.push_back(candidate);
  }
  ControlState* focused = controlByHandle(focusedChildOf(window->second->hwnd));
  bool backward = GetKeyState(VK_SHIFT) < 0;
  int next = nextTabStop(candidates, focused ? focused->id : 0, backward);
  if (next) SetFocus(controls[next].hwnd);
  return true;
}

Event Win32Gui::waitEvent() {
  for (;;) {
    state_->insertAllPendingTreeItems();
    if (!state_->events.empty()) {
      Event event = state_->events.front();
      state_->events.pop_front();
      return event;
    }
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
      // WM_QUIT or a broken queue: nothing more will come, so ask to close.
      Event event;
      event.kind = kEventClose;
      event.window = 1;
      return event;
    }
    if (state_->takeTabKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace qk
