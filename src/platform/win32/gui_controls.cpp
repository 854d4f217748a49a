// Controls: creation with the class and styles of each kind, their state,
// texts and rows (list boxes, drop-down lists, tab strips; trees hand over
// to gui_tree.cpp).
#include "platform/win32/gui_state.h"

namespace qk {
namespace {

struct KindStyle {
  const char* className;
  DWORD style;
  DWORD extendedStyle;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kSingleLineEdit = kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
// Both alignment bits, ES_CENTER and ES_RIGHT, as the description field has them.
constexpr DWORD kMultiLineEdit = kSingleLineEdit | WS_VSCROLL | ES_NOHIDESEL | ES_AUTOVSCROLL |
                                 ES_MULTILINE | ES_CENTER | ES_RIGHT;

KindStyle kindStyle(ControlKind kind) {
  switch (kind) {
    case ControlKind::SingleLineEdit:
      return {"Edit", kSingleLineEdit, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineEdit:
      return {"Edit", kMultiLineEdit, WS_EX_CLIENTEDGE};
    case ControlKind::ReadOnlyMultiLineEdit:
      return {"Edit", kMultiLineEdit | ES_READONLY, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
      return {"Button", kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case ControlKind::StaticText:
      return {"Static", kChild | WS_GROUP | SS_LEFT, 0};
    case ControlKind::SunkenStaticText:
      return {"Static", kChild | WS_GROUP | SS_LEFT, WS_EX_CLIENTEDGE};
    case ControlKind::GroupBox:
      return {"Button", kChild | WS_GROUP | BS_GROUPBOX, 0};
    case ControlKind::CheckBox:
      return {"Button", kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0};
    case ControlKind::ListBox:
      return {"ListBox",
              kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                  LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::DropDownList:
      return {"ComboBox",
              kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_BORDER | CBS_DROPDOWNLIST |
                  CBS_HASSTRINGS,
              WS_EX_CLIENTEDGE};
    case ControlKind::TreeView:
      return {WC_TREEVIEWA,
              kChild | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE};
    case ControlKind::TabStrip:
      return {WC_TABCONTROLA, kChild | WS_GROUP | WS_TABSTOP, WS_EX_TRANSPARENT};
  }
  return {"Static", kChild, 0};
}

LRESULT send(const ControlState& control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(control.hwnd, message, wParam, lParam);
}

// Rows of list boxes and drop-down lists use the same messages but for their
// prefix.
struct RowMessages {
  UINT insert, reset, getSelection, setSelection, count, initStorage;
};

const RowMessages* rowMessages(ControlKind kind) {
  static constexpr RowMessages kList{LB_INSERTSTRING, LB_RESETCONTENT, LB_GETCURSEL,
                                     LB_SETCURSEL,    LB_GETCOUNT,     LB_INITSTORAGE};
  static constexpr RowMessages kCombo{CB_INSERTSTRING, CB_RESETCONTENT, CB_GETCURSEL,
                                      CB_SETCURSEL,    CB_GETCOUNT,     CB_INITSTORAGE};
  if (kind == ControlKind::ListBox) return &kList;
  if (kind == ControlKind::DropDownList) return &kCombo;
  return nullptr;
}

int rowCountOf(const ControlState& control) {
  if (const RowMessages* messages = rowMessages(control.kind))
    return static_cast<int>(send(control, messages->count));
  if (control.kind == ControlKind::TabStrip) return static_cast<int>(send(control, TCM_GETITEMCOUNT));
  if (control.kind == ControlKind::TreeView) return static_cast<int>(control.tree.items.size());
  return 0;
}

// Room the list reserves per row before a bulk fill (LB_INITSTORAGE).
constexpr int kBytesPerRow = 32;

}  // namespace

bool Win32Gui::createControl(int window, int control, ControlKind kind, Rect where,
                             const std::string& text) {
  auto owner = state_->windows.find(window);
  if (owner == state_->windows.end() || state_->control(control)) return false;
  KindStyle style = kindStyle(kind);
  HWND hwnd = CreateWindowExA(style.extendedStyle, style.className, text.c_str(), style.style,
                              where.left, where.top, where.width, where.height,
                              owner->second->hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)),
                              state_->instance, nullptr);
  if (!hwnd) return false;
  // A new child window goes below its siblings; put it above the controls
  // made before it instead, so that a frame made first (the group box around
  // the views) does not cover a control inside it that clips its siblings
  // (the tab strip sets WS_CLIPSIBLINGS on itself and would not be drawn).
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  if (kind == ControlKind::TreeView && state_->treeImages)
    SendMessageA(hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(state_->treeImages));
  ControlState& created = state_->controls[control];
  created.window = window;
  created.id = control;
  created.kind = kind;
  created.hwnd = hwnd;
  owner->second->controls.push_back(control);
  return true;
}

void Win32Gui::moveControl(int control, Rect where) {
  if (ControlState* found = state_->control(control))
    MoveWindow(found->hwnd, where.left, where.top, where.width, where.height, TRUE);
}

void Win32Gui::showControl(int control, bool visible) {
  if (ControlState* found = state_->control(control))
    ShowWindow(found->hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Win32Gui::enableControl(int control, bool enabled) {
  if (ControlState* found = state_->control(control)) EnableWindow(found->hwnd, enabled);
}

void Win32Gui::setControlBackground(int control, uint32_t colour) {
  ControlState* found = state_->control(control);
  if (!found) return;
  found->hasBackground = true;
  found->background = colour;
  InvalidateRect(found->hwnd, nullptr, TRUE);
}

void Win32Gui::setText(int control, const std::string& text) {
  if (ControlState* found = state_->control(control)) SetWindowTextA(found->hwnd, text.c_str());
}

std::string Win32Gui::text(int control) {
  ControlState* found = state_->control(control);
  if (!found) return {};
  std::string text(static_cast<size_t>(GetWindowTextLengthA(found->hwnd)) + 1, '\0');
  int length = GetWindowTextA(found->hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

int Win32Gui::checkState(int control) {
  ControlState* found = state_->control(control);
  return found && send(*found, BM_GETCHECK) == BST_CHECKED ? 1 : 0;
}

void Win32Gui::setCheckState(int control, int state) {
  if (ControlState* found = state_->control(control))
    send(*found, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Gui::insertRow(int control, int row, const std::string& text) {
  ControlState* found = state_->control(control);
  if (!found) return;
  int count = rowCountOf(*found);
  if (const RowMessages* messages = rowMessages(found->kind)) {
    WPARAM at = row >= 0 && row < count ? static_cast<WPARAM>(row) : static_cast<WPARAM>(-1);
    send(*found, messages->insert, at, reinterpret_cast<LPARAM>(text.c_str()));
  } else if (found->kind == ControlKind::TabStrip) {
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(text.c_str());
    int at = row >= 0 && row < count ? row : count;
    send(*found, TCM_INSERTITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&tab));
  }
}

void Win32Gui::clearRows(int control) {
  ControlState* found = state_->control(control);
  if (!found) return;
  if (const RowMessages* messages = rowMessages(found->kind)) send(*found, messages->reset);
  else if (found->kind == ControlKind::TabStrip) send(*found, TCM_DELETEALLITEMS);
  else if (found->kind == ControlKind::TreeView) state_->clearTree(*found);
}

int Win32Gui::selectedRow(int control) {
  ControlState* found = state_->control(control);
  if (!found) return -1;
  if (const RowMessages* messages = rowMessages(found->kind)) {
    LRESULT row = send(*found, messages->getSelection);
    return row < 0 ? -1 : static_cast<int>(row);
  }
  if (found->kind == ControlKind::TabStrip) {
    LRESULT tab = send(*found, TCM_GETCURSEL);
    return tab < 0 ? -1 : static_cast<int>(tab);
  }
  if (found->kind == ControlKind::TreeView) {
    state_->insertPendingTreeItems(*found);
    auto item = reinterpret_cast<HTREEITEM>(send(*found, TVM_GETNEXTITEM, TVGN_CARET));
    return state_->treeRow(*found, item);
  }
  return -1;
}

void Win32Gui::selectRow(int control, int row) {
  ControlState* found = state_->control(control);
  if (!found) return;
  bool inside = row >= 0 && row < rowCountOf(*found);
  WPARAM index = inside ? static_cast<WPARAM>(row) : static_cast<WPARAM>(-1);
  // None of these notify the program: LB_SETCURSEL and CB_SETCURSEL send no
  // selection change, TCM_SETCURSEL no TCN_SELCHANGE, and the tree's
  // TVN_SELCHANGED is not turned into an event.
  if (const RowMessages* messages = rowMessages(found->kind)) {
    send(*found, messages->setSelection, index);
  } else if (found->kind == ControlKind::TabStrip) {
    send(*found, TCM_SETCURSEL, index);
  } else if (found->kind == ControlKind::TreeView) {
    HTREEITEM item = inside ? state_->treeItem(*found, row) : nullptr;
    send(*found, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
}

int Win32Gui::rowCount(int control) {
  ControlState* found = state_->control(control);
  return found ? rowCountOf(*found) : 0;
}

void Win32Gui::beginRows(int control, int expectedRows) {
  ControlState* found = state_->control(control);
  if (!found) return;
  found->hiddenBeforeBulk = !(GetWindowLongA(found->hwnd, GWL_STYLE) & WS_VISIBLE);
  send(*found, WM_SETREDRAW, FALSE);
  const RowMessages* messages = rowMessages(found->kind);
  if (messages && expectedRows > 0)
    send(*found, messages->initStorage, static_cast<WPARAM>(expectedRows),
         static_cast<LPARAM>(expectedRows) * kBytesPerRow);
}

void Win32Gui::endRows(int control) {
  ControlState* found = state_->control(control);
  if (!found) return;
  if (found->kind == ControlKind::TreeView) state_->insertPendingTreeItems(*found);
  send(*found, WM_SETREDRAW, TRUE);
  // Turning redrawing back on may set WS_VISIBLE (DefWindowProc does); a view
  // hidden by the program stays hidden.
  if (found->hiddenBeforeBulk) ShowWindow(found->hwnd, SW_HIDE);
  InvalidateRect(found->hwnd, nullptr, TRUE);
}

}  // namespace qk
