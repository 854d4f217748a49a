#include "platform/memory/memory_gui.h"

#include <algorithm>

#include "platform/tab_order.h"

namespace qk {
namespace {

constexpr int kMainWindow = 1;
// The frame a WS_CAPTION window adds to its client area with the classic
// metrics: a 3-pixel fixed frame on every side and a 19-pixel caption.
constexpr int kDialogFrameWidth = 2 * 3;
constexpr int kDialogFrameHeight = 2 * 3 + 19;
constexpr int kCharWidth = 8;
constexpr int kTextHeight = 16;

bool hasTabStop(ControlKind kind) {
  switch (kind) {
    case ControlKind::SingleLineEdit:
    case ControlKind::MultiLineEdit:
    case ControlKind::ReadOnlyMultiLineEdit:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::ListBox:
    case ControlKind::DropDownList:
    case ControlKind::TreeView:
    case ControlKind::TabStrip:
      return true;
    case ControlKind::StaticText:
    case ControlKind::SunkenStaticText:
    case ControlKind::GroupBox:
      return false;
  }
  return false;
}

bool isTree(const MemoryGui::Control& control) { return control.kind == ControlKind::TreeView; }

int rowsOf(const MemoryGui::Control& control) {
  return static_cast<int>(isTree(control) ? control.items.size() : control.rows.size());
}

bool inRange(const MemoryGui::Control& control, int row) {
  return row >= 0 && row < rowsOf(control);
}

bool hasChildren(const MemoryGui::Control& tree, int row) {
  return row >= 0 && row + 1 < rowsOf(tree) && tree.items[row + 1].parent == row;
}

bool isAncestor(const MemoryGui::Control& tree, int ancestor, int row) {
  for (int at = tree.items[row].parent; at != -1; at = tree.items[at].parent) {
    if (at == ancestor) return true;
  }
  return false;
}

// Centres an outer rectangle on the desktop after limiting it to it.
Rect centredOuter(TextSize desktop, int clientWidth, int clientHeight) {
  Rect outer;
  outer.width = std::min(clientWidth + kDialogFrameWidth, desktop.width);
  outer.height = std::min(clientHeight + kDialogFrameHeight, desktop.height);
  outer.left = (desktop.width - outer.width) / 2;
  outer.top = (desktop.height - outer.height) / 2;
  return outer;
}

}  // namespace

// --- Test controls -----------------------------------------------------------

void MemoryGui::pushEvent(const Event& event) { events_.push_back(event); }

void MemoryGui::pushControlEvent(int control, int type) {
  const Control* found = this->control(control);
  Event event;
  event.kind = kEventControl;
  event.window = found ? found->window : 0;
  event.control = control;
  event.type = type;
  events_.push_back(event);
}

void MemoryGui::pushMenuEvent(int item) {
  Event event;
  event.kind = kEventMenu;
  event.menuItem = item;
  events_.push_back(event);
}

void MemoryGui::pushClose(int window) {
  Event event;
  event.kind = kEventClose;
  event.window = window;
  events_.push_back(event);
}

void MemoryGui::resizeByUser(int window, int width, int height) {
  Window* found = findWindow(window);
  if (!found) return;
  found->width = width;
  found->height = height;
  queueSize(window);
}

void MemoryGui::userSelects(int control, int row) {
  Control* found = find(control);
  if (!found) return;
  found->selected = inRange(*found, row) ? row : -1;
}

void MemoryGui::userTypes(int control, const std::string& text) {
  if (Control* found = find(control)) found->text = text;
}

void MemoryGui::userChecks(int control, int state) {
  if (Control* found = find(control)) found->checked = state;
}

void MemoryGui::scriptFileChoice(const std::string& path) { fileChoices_.push_back(path); }

void MemoryGui::scriptMenuChoice(int item) { menuChoices_.push_back(item); }

void MemoryGui::scriptTextSize(const std::string& text, TextSize size) { textSizes_[text] = size; }

void MemoryGui::setDesktopSize(TextSize size) { desktop_ = size; }

void MemoryGui::pressTab(bool backward) {
  std::vector<TabCandidate> candidates;
  for (int id : creationOrder_) {
    const Control& candidate = controls_.at(id);
    if (candidate.window != active_) continue;
    candidates.push_back({id, hasTabStop(candidate.kind), candidate.enabled, candidate.visible});
  }
  int next = nextTabStop(candidates, focus_, backward);
  if (next != 0) focus_ = next;
}

void MemoryGui::focusControl(int control) {
  if (hasControl(control)) focus_ = control;
}

// --- Inspection ----------------------------------------------------------------

bool MemoryGui::hasWindow(int window) const { return windows_.count(window) != 0; }

const MemoryGui::Window* MemoryGui::window(int window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

bool MemoryGui::hasControl(int control) const { return controls_.count(control) != 0; }

const MemoryGui::Control* MemoryGui::control(int control) const {
  auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : &found->second;
}

const std::vector<MemoryGui::MenuItem>* MemoryGui::menu(int menu) const {
  auto found = menus_.find(menu);
  return found == menus_.end() ? nullptr : &found->second;
}

bool MemoryGui::rowVisible(int control, int row) const {
  const Control* tree = this->control(control);
  if (!tree || !isTree(*tree) || !inRange(*tree, row)) return false;
  for (int at = tree->items[row].parent; at != -1; at = tree->items[at].parent) {
    if (!tree->items[at].expanded) return false;
  }
  return true;
}

// --- Private helpers -------------------------------------------------------------

MemoryGui::Control* MemoryGui::find(int control) {
  auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : &found->second;
}

MemoryGui::Window* MemoryGui::findWindow(int window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

void MemoryGui::queueSize(int window) {
  Event event;
  event.kind = kEventSize;
  event.window = window;
  events_.push_back(event);
}

std::vector<int> MemoryGui::enabledWindows() const {
  std::vector<int> enabled;
  for (const auto& [id, window] : windows_) {
    if (window.enabled) enabled.push_back(id);
  }
  return enabled;
}

int MemoryGui::modalOwner() const { return hasWindow(active_) ? active_ : 0; }

void MemoryGui::reveal(Control& tree, int row) {
  for (int at = tree.items[row].parent; at != -1; at = tree.items[at].parent) {
    tree.items[at].expanded = true;
  }
  tree.scrolledTo = row;
}

// --- Events --------------------------------------------------------------------

Event MemoryGui::waitEvent() {
  if (events_.empty()) {
    Event close;
    close.kind = kEventClose;
    close.window = kMainWindow;
    return close;
  }
  Event next = events_.front();
  events_.pop_front();
  return next;
}

// --- Windows -------------------------------------------------------------------

bool MemoryGui::openMainWindow(const std::string& title, int clientWidth, int clientHeight) {
  if (!canCreateWindows || hasWindow(kMainWindow)) return false;
  Window& created = windows_[kMainWindow];
  created.id = kMainWindow;
  created.title = title;
  created.width = clientWidth;
  created.height = clientHeight;
  active_ = kMainWindow;
  queueSize(kMainWindow);
  return true;
}

bool MemoryGui::openDialogWindow(int window, const std::string& title, int clientWidth,
                                 int clientHeight, int owner) {
  if (!canCreateWindows || hasWindow(window)) return false;
  Window& created = windows_[window];
  created.id = window;
  created.title = title;
  created.width = clientWidth;
  created.height = clientHeight;
  created.owner = owner;
  created.dialog = true;
  created.outer = centredOuter(desktop_, clientWidth, clientHeight);
  active_ = window;
  queueSize(window);
  return true;
}

void MemoryGui::destroyWindow(int window) {
  if (!hasWindow(window)) return;
  windows_.erase(window);
  for (auto it = controls_.begin(); it != controls_.end();) {
    it = it->second.window == window ? controls_.erase(it) : std::next(it);
  }
  creationOrder_.erase(std::remove_if(creationOrder_.begin(), creationOrder_.end(),
                                      [this](int id) { return !hasControl(id); }),
                       creationOrder_.end());
  if (!hasControl(focus_)) focus_ = 0;
  if (active_ == window) active_ = 0;
}

void MemoryGui::enableWindow(int window, bool enabled) {
  if (Window* found = findWindow(window)) found->enabled = enabled;
}

bool MemoryGui::isWindowEnabled(int window) {
  const Window* found = findWindow(window);
  return found && found->enabled;
}

void MemoryGui::activateWindow(int window) {
  if (hasWindow(window)) active_ = window;
}

void MemoryGui::setWindowTitle(int window, const std::string& title) {
  if (Window* found = findWindow(window)) found->title = title;
}

TextSize MemoryGui::clientSize(int window) {
  const Window* found = findWindow(window);
  return found ? TextSize{found->width, found->height} : TextSize{};
}

void MemoryGui::setClientSize(int window, int width, int height) {
  Window* found = findWindow(window);
  if (!found) return;
  found->width = width;
  found->height = height;
  if (found->dialog) {
    found->outer.width = width + kDialogFrameWidth;
    found->outer.height = height + kDialogFrameHeight;
  }
  queueSize(window);
}

// --- Controls ------------------------------------------------------------------

bool MemoryGui::createControl(int window, int control, ControlKind kind, Rect where,
                              const std::string& text) {
  if (!hasWindow(window) || hasControl(control)) return false;
  Control& created = controls_[control];
  created.window = window;
  created.id = control;
  created.kind = kind;
  created.rect = where;
  created.text = text;
  creationOrder_.push_back(control);
  return true;
}

void MemoryGui::moveControl(int control, Rect where) {
  if (Control* found = find(control)) found->rect = where;
}

void MemoryGui::showControl(int control, bool visible) {
  if (Control* found = find(control)) found->visible = visible;
}

void MemoryGui::enableControl(int control, bool enabled) {
  if (Control* found = find(control)) found->enabled = enabled;
}

void MemoryGui::setControlBackground(int control, uint32_t colour) {
  Control* found = find(control);
  if (!found) return;
  found->background = colour;
  found->hasBackground = true;
}

void MemoryGui::setText(int control, const std::string& text) {
  if (Control* found = find(control)) found->text = text;
}

// A drop-down list's text is that of its selected row, as GetWindowText
// reports it for CBS_DROPDOWNLIST.
std::string MemoryGui::text(int control) {
  const Control* found = find(control);
  if (!found) return {};
  if (found->kind == ControlKind::DropDownList) {
    return inRange(*found, found->selected) ? found->rows[found->selected] : std::string();
  }
  return found->text;
}

int MemoryGui::checkState(int control) {
  const Control* found = find(control);
  return found ? found->checked : 0;
}

void MemoryGui::setCheckState(int control, int state) {
  if (Control* found = find(control)) found->checked = state;
}

// --- Rows ----------------------------------------------------------------------

// Like LB_INSERTSTRING, CB_INSERTSTRING and TCM_INSERTITEM: the selected row
// keeps its text, so an insertion at or before it moves the selection down;
// the first tab of a tab strip becomes its selected tab.
void MemoryGui::insertRow(int control, int row, const std::string& text) {
  Control* found = find(control);
  if (!found || isTree(*found)) return;
  std::vector<std::string>& rows = found->rows;
  int at = (row < 0 || row > static_cast<int>(rows.size())) ? static_cast<int>(rows.size()) : row;
  rows.insert(rows.begin() + at, text);
  if (found->kind == ControlKind::TabStrip && rows.size() == 1) {
    found->selected = 0;
  } else if (found->selected >= 0 && at <= found->selected) {
    ++found->selected;
  }
}

void MemoryGui::clearRows(int control) {
  Control* found = find(control);
  if (!found) return;
  found->rows.clear();
  found->items.clear();
  found->selected = -1;
  found->scrolledTo = -1;
}

int MemoryGui::selectedRow(int control) {
  const Control* found = find(control);
  return found ? found->selected : -1;
}

void MemoryGui::selectRow(int control, int row) {
  Control* found = find(control);
  if (!found) return;
  if (!inRange(*found, row)) {
    found->selected = -1;
    return;
  }
  found->selected = row;
  if (isTree(*found)) {
    reveal(*found, row);
  } else if (found->kind == ControlKind::ListBox) {
    found->scrolledTo = row;
  }
}

int MemoryGui::rowCount(int control) {
  const Control* found = find(control);
  return found ? rowsOf(*found) : 0;
}

void MemoryGui::beginRows(int control, int) {
  if (Control* found = find(control)) found->inBulkUpdate = true;
}

void MemoryGui::endRows(int control) {
  if (Control* found = find(control)) found->inBulkUpdate = false;
}

// --- Trees ---------------------------------------------------------------------

bool MemoryGui::setTreeImages(const std::vector<Image16>& images) {
  treeImages = images;
  return true;
}

void MemoryGui::appendTreeItem(int control, const std::string& text, int image, int level) {
  Control* found = find(control);
  if (!found || !isTree(*found)) return;
  std::vector<TreeItem>& items = found->items;
  TreeItem item;
  item.text = text;
  item.image = image;
  const int row = static_cast<int>(items.size());
  if (row > 0) {
    const int previous = row - 1;
    const int previousLevel = items[previous].level;
    if (level > previousLevel) {
      item.parent = previous;
      item.level = previousLevel + 1;
    } else {
      // The previous item or its ancestor at the asked level (the top level
      // for a negative one) gets the new item as its next sibling.
      int sibling = previous;
      while (items[sibling].level > std::max(level, 0)) sibling = items[sibling].parent;
      item.parent = items[sibling].parent;
      item.level = items[sibling].level;
      items[sibling].nextSibling = row;
    }
  }
  items.push_back(item);
}

int MemoryGui::firstRootRow(int control) {
  const Control* found = find(control);
  return found && isTree(*found) && !found->items.empty() ? 0 : -1;
}

// The next item in pre-order, skipping the children of collapsed items. Rows
// are numbered in pre-order because every append goes either below the item
// before it or after the whole subtree of one of its ancestors.
int MemoryGui::nextVisibleRow(int control, int row) {
  if (!rowVisible(control, row)) return -1;
  const Control& tree = *find(control);
  if (tree.items[row].expanded && hasChildren(tree, row)) return row + 1;
  for (int at = row; at != -1; at = tree.items[at].parent) {
    if (tree.items[at].nextSibling != -1) return tree.items[at].nextSibling;
  }
  return -1;
}

// Like TVM_EXPAND: an item without children does not take the expanded state.
void MemoryGui::expandRow(int control, int row) {
  Control* found = find(control);
  if (!found || !isTree(*found) || !hasChildren(*found, row)) return;
  found->items[row].expanded = true;
}

// Like TVM_EXPAND with TVE_COLLAPSE: a selection that the collapse hides
// moves to the collapsed item.
void MemoryGui::collapseRow(int control, int row) {
  Control* found = find(control);
  if (!found || !isTree(*found) || !inRange(*found, row)) return;
  found->items[row].expanded = false;
  if (inRange(*found, found->selected) && isAncestor(*found, row, found->selected)) {
    found->selected = row;
  }
}

void MemoryGui::ensureRowVisible(int control, int row) {
  Control* found = find(control);
  if (!found || !isTree(*found) || !inRange(*found, row)) return;
  reveal(*found, row);
}

// --- Popup menus -----------------------------------------------------------------

bool MemoryGui::createPopupMenu(int menu) {
  menus_[menu].clear();
  return true;
}

void MemoryGui::destroyPopupMenu(int menu) { menus_.erase(menu); }

bool MemoryGui::popupMenuExists(int menu) { return menus_.count(menu) != 0; }

void MemoryGui::appendMenuItem(int menu, int item, const std::string& text, bool checked) {
  auto found = menus_.find(menu);
  if (found == menus_.end()) return;
  MenuItem added;
  added.id = item;
  added.text = text;
  added.checked = checked;
  found->second.push_back(added);
}

void MemoryGui::appendMenuSeparator(int menu) {
  auto found = menus_.find(menu);
  if (found == menus_.end()) return;
  MenuItem separator;
  separator.separator = true;
  found->second.push_back(separator);
}

void MemoryGui::greyMenuItem(int menu, int item) {
  auto found = menus_.find(menu);
  if (found == menus_.end()) return;
  for (MenuItem& entry : found->second) {
    if (!entry.separator && entry.id == item) entry.greyed = true;
  }
}

// The scripted choice is taken whatever it is; only an item the user could
// click (present, not greyed, not a separator) becomes a menu event.
void MemoryGui::showPopupMenu(int menu, int owner) {
  auto found = menus_.find(menu);
  if (found == menus_.end()) return;
  activateWindow(owner);
  shownMenus_.push_back({menu, owner, found->second});
  if (menuChoices_.empty()) return;
  const int choice = menuChoices_.front();
  menuChoices_.pop_front();
  const std::vector<MenuItem>& items = found->second;
  bool clickable = std::any_of(items.begin(), items.end(), [choice](const MenuItem& entry) {
    return !entry.separator && !entry.greyed && entry.id == choice;
  });
  if (clickable) pushMenuEvent(choice);
}

// --- Modal helpers -------------------------------------------------------------
// Every enabled window is disabled while the box is up and enabled again when
// it returns, so only the record shows it.

void MemoryGui::messageBox(const std::string& title, const std::string& text) {
  ShownMessage shown;
  shown.title = title;
  shown.text = text;
  shown.owner = modalOwner();
  shown.disabledWindows = enabledWindows();
  messages_.push_back(shown);
}

std::string MemoryGui::chooseFileToOpen(const std::string& title, const std::string& filter) {
  FileDialogCall call;
  call.title = title;
  call.filter = filter;
  call.owner = modalOwner();
  call.disabledWindows = enabledWindows();
  fileDialogs_.push_back(call);
  if (fileChoices_.empty()) return {};
  std::string chosen = fileChoices_.front();
  fileChoices_.pop_front();
  return chosen;
}

// --- Painting over a window ----------------------------------------------------------

TextSize MemoryGui::desktopSize() { return desktop_; }

bool MemoryGui::beginOverlay(int window, const std::string& fontName, int points) {
  if (!canPaint || !hasWindow(window)) return false;
  overlays_.push_back({window, fontName, points});
  overlayOpen_ = true;
  ++fontsAlive_;
  return true;
}

TextSize MemoryGui::measureText(const std::string& text) {
  auto scripted = textSizes_.find(text);
  if (scripted != textSizes_.end()) return scripted->second;
  return {kCharWidth * static_cast<int>(text.size()), kTextHeight};
}

void MemoryGui::fillRectangle(int left, int top, int right, int bottom, uint32_t colour) {
  if (!overlayOpen_) return;
  Painted painted;
  painted.kind = Painted::Rectangle;
  painted.left = left;
  painted.top = top;
  painted.right = right;
  painted.bottom = bottom;
  painted.colour = colour;
  painted_.push_back(painted);
}

void MemoryGui::drawText(int x, int y, const std::string& text, uint32_t colour) {
  if (!overlayOpen_) return;
  Painted painted;
  painted.kind = Painted::Text;
  painted.left = x;
  painted.top = y;
  painted.text = text;
  painted.colour = colour;
  painted_.push_back(painted);
}

void MemoryGui::endOverlay() {
  if (!overlayOpen_) return;
  --fontsAlive_;
  overlayOpen_ = fontsAlive_ > 0;
}

}  // namespace qk
