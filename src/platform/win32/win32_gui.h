#pragma once
// The real Gui: Win32 windows and standard controls, ANSI functions only.
// windows.h stays inside platform/win32; callers see handles as void*.
#include <memory>
#include <string>

#include "platform/gui.h"

namespace qk {

class Win32Gui : public Gui {
 public:
  // Initialises the common controls (tree view, tab strip, standard
  // classes) and registers the one window class of the program's
  // top-level windows.
  Win32Gui();
  ~Win32Gui() override;
  Win32Gui(const Win32Gui&) = delete;
  Win32Gui& operator=(const Win32Gui&) = delete;

  // The HWND of a window or control, nullptr when there is none. For tests
  // that look at the real controls.
  void* windowHandle(int window) const;
  void* controlHandle(int control) const;

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

  struct State;

 private:
  std::unique_ptr<State> state_;
};

// The process's command line after the program's name (GetCommandLineA with
// the first, possibly quoted, word taken off), as the user typed it.
std::string commandLineParameters();

}  // namespace qk
