#pragma once
// The program's view of the windowing system. It speaks in window numbers and
// control numbers, as the program does; control numbers are unique across all
// windows. No handle of the platform appears here.
//
// Two implementations: platform/win32 (the real Win32 controls) and
// platform/memory (everything recorded in memory, for tests).
//
// Methods that name a window or control that does not exist do nothing and
// return the neutral value stated (empty text, -1, false, 0).
#include <cstdint>
#include <string>
#include <vector>

namespace qk {

// Event kinds, numbered as the program's loop knows them.
enum EventKind : int {
  kEventNone = 0,
  kEventSize = 5,          // a window's client size changed (not when minimised)
  kEventClose = 16,        // the user asks to close a window; it stays open
  kEventControl = 13100,   // a control reports an action
  kEventMenu = 13101,      // an item of a popup menu was chosen
};

// Event types of control events.
enum ControlEventType : int {
  kListSelectionChanged = 0,  // list box: LBN_SELCHANGE, by mouse or keyboard
  kListDoubleClick = 2,       // list box: LBN_DBLCLK
  kTreeClick = 0,             // tree: NM_CLICK, after the click moved the selection
  kTreeRightClick = 1,        // tree: NM_RCLICK, the item under the mouse selected first
  kTreeDoubleClick = 2,       // tree: NM_DBLCLK
  kButtonClicked = 0,         // push button, check box: BN_CLICKED
  kTabChanged = 0,            // tab strip: TCN_SELCHANGE
  kOtherControlEvent = 99,    // anything else a control reports
};

struct Event {
  int kind = kEventNone;
  int window = 0;    // close, size and control events
  int control = 0;   // control events
  int type = 0;      // control events: a ControlEventType
  int menuItem = 0;  // menu events
};

// The control kinds of the program. Each maps to exactly one Win32 class with
// fixed styles (see platform/win32), and every control gets DEFAULT_GUI_FONT.
enum class ControlKind {
  SingleLineEdit,
  MultiLineEdit,
  ReadOnlyMultiLineEdit,
  PushButton,
  StaticText,
  SunkenStaticText,
  GroupBox,
  CheckBox,
  ListBox,
  DropDownList,
  TreeView,
  TabStrip,
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

// A 16x16 image, 8-bit RGBA, rows top to bottom.
struct Image16 {
  uint8_t rgba[16 * 16 * 4] = {};
};

// COLORREF layout: red in the low byte.
constexpr uint32_t rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

struct TextSize {
  int width = 0;
  int height = 0;
};

class Gui {
 public:
  virtual ~Gui() = default;

  // --- Events -------------------------------------------------------------
  // Blocks until the next event of any window and returns it. Events are
  // queued by the windows, so a handler runs after the control has done its
  // own processing (a click has already moved the selection). The in-memory
  // implementation returns the events a test pushed, and a close event of
  // window 1 when none is left.
  virtual Event waitEvent() = 0;

  // --- Windows ------------------------------------------------------------
  // Window 1: WS_OVERLAPPEDWINDOW with the given client size, outer left and
  // top 0, the program's icon, shown normally at once. Returns false when it
  // cannot be created.
  virtual bool openMainWindow(const std::string& title, int clientWidth, int clientHeight) = 0;
  // A dialog window: WS_CAPTION only, the given client size, centred on the
  // screen with its outer size first limited to the screen, owned by window
  // `owner` (0: no owner), shown at once. Returns false on failure.
  virtual bool openDialogWindow(int window, const std::string& title, int clientWidth,
                                int clientHeight, int owner) = 0;
  // Destroys a window and its controls.
  virtual void destroyWindow(int window) = 0;
  virtual void enableWindow(int window, bool enabled) = 0;
  virtual bool isWindowEnabled(int window) = 0;
  // Makes a window the active window (and the foreground window).
  virtual void activateWindow(int window) = 0;
  virtual void setWindowTitle(int window, const std::string& title) = 0;
  // The client size; 0 x 0 for a window that does not exist.
  virtual TextSize clientSize(int window) = 0;
  // Sets the client size, keeping the outer position. Produces a size event.
  virtual void setClientSize(int window, int width, int height) = 0;

  // --- Controls -----------------------------------------------------------
  // Creates a control of a kind on a window at client coordinates, with its
  // control number as identifier and `text` as its text (a button's caption,
  // a group box's caption, an edit's content). Returns false on failure.
  virtual bool createControl(int window, int control, ControlKind kind, Rect where,
                             const std::string& text) = 0;
  virtual void moveControl(int control, Rect where) = 0;
  virtual void showControl(int control, bool visible) = 0;
  virtual void enableControl(int control, bool enabled) = 0;
  // The background colour of a read-only edit (WM_CTLCOLORSTATIC).
  virtual void setControlBackground(int control, uint32_t colour) = 0;
  virtual void setText(int control, const std::string& text) = 0;
  // The whole text of a control (edits: what the user typed).
  virtual std::string text(int control) = 0;
  // Check box state: 0 clear, 1 ticked.
  virtual int checkState(int control) = 0;
  virtual void setCheckState(int control, int state) = 0;

  // --- Rows: list boxes, drop-down lists, tab strips and trees -------------
  // Inserts a text at a row of a list box or drop-down list (LB_INSERTSTRING,
  // CB_INSERTSTRING), or a tab at a position of a tab strip. A row past the
  // end appends.
  virtual void insertRow(int control, int row, const std::string& text) = 0;
  // Removes every row (list, drop-down list) or every item (tree).
  virtual void clearRows(int control) = 0;
  // The selected row, tab or tree row; -1 when none.
  virtual int selectedRow(int control) = 0;
  // Selects a row, tab or tree row; a row outside the control selects
  // nothing (and removes the selection). Selecting by program raises no
  // event. A tree row is revealed: its ancestors are expanded and the tree
  // scrolls to it; a list row is scrolled into view.
  virtual void selectRow(int control, int row) = 0;
  virtual int rowCount(int control) = 0;

  // Bulk filling: between beginRows and endRows the control does not redraw;
  // `expectedRows` lets a list reserve room (LB_INITSTORAGE). Trees may hold
  // back appended items until endRows and insert them in whatever order is
  // fastest; queries in between see every item appended so far.
  virtual void beginRows(int control, int expectedRows) = 0;
  virtual void endRows(int control) = 0;

  // --- Trees ----------------------------------------------------------------
  // The three 16x16 images of tree items, indexed 0, 1, 2, shared by every
  // tree. Returns false when the image list cannot be made.
  virtual bool setTreeImages(const std::vector<Image16>& images) = 0;
  // Appends an item; it gets the next row number (0, 1, 2, ...). The first
  // item is top-level whatever its level. With P the level of the item
  // appended before it: a level L <= P makes it the next sibling of that item
  // or of its ancestor at level L; L > P makes it the first child of that
  // item, at level P + 1.
  virtual void appendTreeItem(int control, const std::string& text, int image, int level) = 0;
  // The first top-level row, -1 for an empty tree.
  virtual int firstRootRow(int control) = 0;
  // The next visible row after `row` (TVGN_NEXTVISIBLE), -1 when none.
  virtual int nextVisibleRow(int control, int row) = 0;
  virtual void expandRow(int control, int row) = 0;
  virtual void collapseRow(int control, int row) = 0;
  virtual void ensureRowVisible(int control, int row) = 0;

  // --- Popup menus ------------------------------------------------------------
  // Creates an empty popup menu with a number (destroying one of that number
  // first). Returns false on failure.
  virtual bool createPopupMenu(int menu) = 0;
  virtual void destroyPopupMenu(int menu) = 0;
  virtual bool popupMenuExists(int menu) = 0;
  virtual void appendMenuItem(int menu, int item, const std::string& text, bool checked) = 0;
  virtual void appendMenuSeparator(int menu) = 0;
  // Greys and disables an item.
  virtual void greyMenuItem(int menu, int item) = 0;
  // Brings `owner` to the foreground and shows the menu at the mouse cursor,
  // owned by that window; either mouse button chooses. Returns when the menu
  // closes; a chosen item arrives as the next menu event.
  virtual void showPopupMenu(int menu, int owner) = 0;

  // --- Modal helpers ----------------------------------------------------------
  // Both are owned by the program's foreground window when it is one of the
  // program's windows, else by none; every other visible, enabled top-level
  // window of the program is disabled while they are up, and exactly those
  // are enabled again afterwards.
  // A message box with one OK button and the warning icon (MB_OK |
  // MB_ICONWARNING).
  virtual void messageBox(const std::string& title, const std::string& text) = 0;
  // The file-open dialog (GetOpenFileNameA) with a title, a filter in the
  // NUL-separated form ending in two NULs, filter index 1, an empty initial
  // file name and directory, a 260-character buffer and the flags
  // OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY.
  // Returns the chosen full path, or empty when cancelled or failed.
  virtual std::string chooseFileToOpen(const std::string& title, const std::string& filter) = 0;

  // --- Painting over a window ---------------------------------------------------
  // The pixel size of the primary display's current mode.
  virtual TextSize desktopSize() = 0;
  // Starts painting onto the client area of a window (GetDC), with
  // TA_UPDATECP and, when it can be created, the font (CreateFontA with the
  // height -MulDiv(points, LOGPIXELSY, 72), FW_NORMAL, DEFAULT_CHARSET and
  // default precision, quality and pitch). Returns false when no device
  // context is available; then nothing is painted.
  virtual bool beginOverlay(int window, const std::string& fontName, int points) = 0;
  // The extent of a text in the current font (GetTextExtentPoint32A).
  virtual TextSize measureText(const std::string& text) = 0;
  // A rectangle filled and outlined in one colour, from (left, top) to
  // (right, bottom).
  virtual void fillRectangle(int left, int top, int right, int bottom, uint32_t colour) = 0;
  // Draws a text with a transparent background, its top-left corner at (x, y)
  // (MoveToEx, then TextOutA at the current position).
  virtual void drawText(int x, int y, const std::string& text, uint32_t colour) = 0;
  // Releases the device context and deletes the font.
  virtual void endOverlay() = 0;
};

}  // namespace qk
