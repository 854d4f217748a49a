#pragma once
// The GUI in memory: every window, control, row, tree item and menu is
// recorded, events come from a queue that tests fill, and the answers of
// message boxes and file-open dialogs are scripted. It behaves like the Win32
// implementation where the program can observe it (row numbers, selection,
// tree levels and expansion, enabled and visible state, Tab order, and size
// events: opening a window queues one for it, as the real window gets WM_SIZE
// when it is created, and so does setClientSize).
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/gui.h"

namespace qk {

class MemoryGui : public Gui {
 public:
  struct TreeItem {
    std::string text;
    int image = 0;
    int level = 0;    // the level the tree gave it (after the append rule)
    int parent = -1;  // row of the parent item, -1 for top-level
    int nextSibling = -1;  // row of the next item under the same parent, -1 for none
    bool expanded = false;
  };
  struct Control {
    int window = 0;
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    Rect rect;
    std::string text;
    bool visible = true;
    bool enabled = true;
    int checked = 0;
    uint32_t background = 0;
    bool hasBackground = false;
    std::vector<std::string> rows;  // list, drop-down list, tab strip
    std::vector<TreeItem> items;    // tree
    int selected = -1;
    bool inBulkUpdate = false;
    int scrolledTo = -1;  // last row made visible
  };
  struct Window {
    int id = 0;
    std::string title;
    int width = 0;
    int height = 0;
    int owner = 0;
    bool dialog = false;
    bool enabled = true;
    Rect outer;  // dialogs: the centred outer rectangle
  };
  struct MenuItem {
    int id = 0;  // 0 for a separator
    std::string text;
    bool separator = false;
    bool checked = false;
    bool greyed = false;
  };
  struct Painted {  // one drawing call of an overlay
    enum Kind { Rectangle, Text } kind = Text;
    int left = 0, top = 0, right = 0, bottom = 0;  // text: left/top only
    std::string text;
    uint32_t colour = 0;
  };

  // --- Test controls -------------------------------------------------------
  void pushEvent(const Event& event);
  void pushControlEvent(int control, int type = 0);  // window taken from the control
  void pushMenuEvent(int item);
  void pushClose(int window = 1);
  // The user changes a window's client size (queues a size event).
  void resizeByUser(int window, int width, int height);
  // The user selects a row (list, drop-down, tree, tab) without an event.
  void userSelects(int control, int row);
  // The user types into an edit.
  void userTypes(int control, const std::string& text);
  // The user ticks or clears a check box.
  void userChecks(int control, int state);
  // Answers for the next file-open dialogs (empty: cancelled), in order.
  void scriptFileChoice(const std::string& path);
  // The item the user clicks in the next popup menu; it becomes a menu event
  // when the menu holds it, not greyed (0 is a real id: group 0, or
  // "[Keine Gruppe]" without groups). kMenuDismissed, or nothing scripted,
  // closes the menu without a choice.
  static constexpr int kMenuDismissed = -1;
  void scriptMenuChoice(int item);
  // Text sizes measureText reports for one text (default: 8 px per byte, 16 high).
  void scriptTextSize(const std::string& text, TextSize size);
  void setDesktopSize(TextSize size);
  bool canCreateWindows = true;  // false: openMainWindow/openDialogWindow fail
  bool canPaint = true;          // false: beginOverlay finds no device context

  // Moves the focus like Tab (backward: Shift+Tab) in the active window.
  void pressTab(bool backward);
  int focusedControl() const { return focus_; }
  void focusControl(int control);

  // --- Inspection ------------------------------------------------------------
  bool hasWindow(int window) const;
  const Window* window(int window) const;
  bool hasControl(int control) const;
  const Control* control(int control) const;
  const std::vector<int>& creationOrder() const { return creationOrder_; }
  int activeWindow() const { return active_; }
  // Message boxes and file dialogs record their owner (the active window, 0
  // for none) and the windows they disabled while they were up; those are
  // enabled again when they return.
  struct ShownMessage {
    std::string title, text;
    int owner = 0;
    std::vector<int> disabledWindows;
  };
  const std::vector<ShownMessage>& messages() const { return messages_; }
  struct FileDialogCall {
    std::string title, filter;
    int owner = 0;
    std::vector<int> disabledWindows;
  };
  const std::vector<FileDialogCall>& fileDialogs() const { return fileDialogs_; }
  // The menus as they were when shown, in order.
  struct ShownMenu { int menu; int owner; std::vector<MenuItem> items; };
  const std::vector<ShownMenu>& shownMenus() const { return shownMenus_; }
  const std::vector<MenuItem>* menu(int menu) const;
  const std::vector<Painted>& painted() const { return painted_; }
  struct OverlayCall { int window; std::string fontName; int points; };
  const std::vector<OverlayCall>& overlays() const { return overlays_; }
  bool overlayOpen() const { return overlayOpen_; }
  int fontsAlive() const { return fontsAlive_; }
  size_t pendingEvents() const { return events_.size(); }
  // Which tree rows are visible now (all ancestors expanded).
  bool rowVisible(int control, int row) const;

  // --- Gui -------------------------------------------------------------------
  Event waitEvent() override;
  bool openMainWindow(const std::string& title, int clientWidth, int clientHeight) override;
  bool openDialogWindow(int window, const std::string& title, int clientWidth, int clientHeight,
                        int owner) override;
  void destroyWindow(int window) override;
  void enableWindow(int window, bool enabled) override;
  bool isWindowEnabled(int window) override;
  void activateWindow(int window) override;
  void setWindowTitle(int window, const std::string& title) override;
  TextSize clientSize(int window) override;
  void setClientSize(int window, int width, int height) override;
  bool createControl(int window, int control, ControlKind kind, Rect where,
                     const std::string& text) override;
  void moveControl(int control, Rect where) override;
  void showControl(int control, bool visible) override;
  void enableControl(int control, bool enabled) override;
  void setControlBackground(int control, uint32_t colour) override;
  void setText(int control, const std::string& text) override;
  std::string text(int control) override;
  int checkState(int control) override;
  void setCheckState(int control, int state) override;
  void insertRow(int control, int row, const std::string& text) override;
  void clearRows(int control) override;
  int selectedRow(int control) override;
  void selectRow(int control, int row) override;
  int rowCount(int control) override;
  void beginRows(int control, int expectedRows) override;
  void endRows(int control) override;
  bool setTreeImages(const std::vector<Image16>& images) override;
  void appendTreeItem(int control, const std::string& text, int image, int level) override;
  int firstRootRow(int control) override;
  int nextVisibleRow(int control, int row) override;
  void expandRow(int control, int row) override;
  void collapseRow(int control, int row) override;
  void ensureRowVisible(int control, int row) override;
  bool createPopupMenu(int menu) override;
  void destroyPopupMenu(int menu) override;
  bool popupMenuExists(int menu) override;
  void appendMenuItem(int menu, int item, const std::string& text, bool checked) override;
  void appendMenuSeparator(int menu) override;
  void greyMenuItem(int menu, int item) override;
  void showPopupMenu(int menu, int owner) override;
  void messageBox(const std::string& title, const std::string& text) override;
  std::string chooseFileToOpen(const std::string& title, const std::string& filter) override;
  TextSize desktopSize() override;
  bool beginOverlay(int window, const std::string& fontName, int points) override;
  TextSize measureText(const std::string& text) override;
  void fillRectangle(int left, int top, int right, int bottom, uint32_t colour) override;
  void drawText(int x, int y, const std::string& text, uint32_t colour) override;
  void endOverlay() override;

  std::vector<Image16> treeImages;

 private:
  Control* find(int control);
  Window* findWindow(int window);
  void queueSize(int window);
  // The windows a modal box disables while it is up: every enabled one.
  std::vector<int> enabledWindows() const;
  int modalOwner() const;
  void reveal(Control& tree, int row);
  std::deque<Event> events_;
  std::map<int, Window> windows_;
  std::map<int, Control> controls_;
  std::vector<int> creationOrder_;
  std::map<int, std::vector<MenuItem>> menus_;
  std::vector<ShownMenu> shownMenus_;
  std::deque<std::string> fileChoices_;
  std::deque<int> menuChoices_;
  std::map<std::string, TextSize> textSizes_;
  std::vector<ShownMessage> messages_;
  std::vector<FileDialogCall> fileDialogs_;
  std::vector<Painted> painted_;
  std::vector<OverlayCall> overlays_;
  TextSize desktop_{1280, 1024};
  bool overlayOpen_ = false;
  int fontsAlive_ = 0;
  int active_ = 0;
  int focus_ = 0;
};

}  // namespace qk
