// Trees: the append rule, the order items go into the control, rows by
// lParam, the walk operations, and the shared 16x16 image list.
#include <algorithm>

#include "platform/win32/gui_state.h"

namespace qk {
namespace {

LRESULT send(const ControlState& tree, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(tree.hwnd, message, wParam, lParam);
}

// Rows are appended depth first, so a row has children exactly when the
// next row is its child.
bool hasChildren(const TreeModel& model, int row) {
  size_t next = static_cast<size_t>(row) + 1;
  return row >= 0 && next < model.items.size() && model.items[next].parent == row;
}

void insertItem(ControlState& tree, int row, HTREEITEM after) {
  TreeModel& model = tree.tree;
  const TreeModel::Item& item = model.items[static_cast<size_t>(row)];
  TVINSERTSTRUCTA insert{};
  insert.hParent = item.parent < 0 ? TVI_ROOT : model.handles[static_cast<size_t>(item.parent)];
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(item.text.c_str());
  insert.item.iImage = item.image;
  insert.item.iSelectedImage = item.image;
  insert.item.lParam = row;
  model.handles[static_cast<size_t>(row)] =
      reinterpret_cast<HTREEITEM>(send(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Fills an empty control so that every message names only early handles:
// Wine checks each handle it is given by a linear search in creation order.
// First the items that have children, in row order (parents before their
// children, each appended after its earlier siblings), then every other
// item in reverse row order, put right after its nearest earlier sibling
// that has children, or first. Siblings thus end up in row order.
void insertIntoEmptyTree(ControlState& tree) {
  TreeModel& model = tree.tree;
  const int count = static_cast<int>(model.items.size());
  // An item's earlier siblings all come before it; lastParentSibling is
  // indexed by parent row + 1.
  std::vector<int> previousParentSibling(static_cast<size_t>(count), -1);
  std::vector<int> lastParentSibling(static_cast<size_t>(count) + 1, -1);
  for (int row = 0; row < count; ++row) {
    size_t parentSlot = static_cast<size_t>(model.items[static_cast<size_t>(row)].parent + 1);
    previousParentSibling[static_cast<size_t>(row)] = lastParentSibling[parentSlot];
    if (hasChildren(model, row)) lastParentSibling[parentSlot] = row;
  }
  model.handles.assign(static_cast<size_t>(count), nullptr);
  for (int row = 0; row < count; ++row)
    if (hasChildren(model, row)) insertItem(tree, row, TVI_LAST);
  for (int row = count - 1; row >= 0; --row) {
    if (hasChildren(model, row)) continue;
    int sibling = previousParentSibling[static_cast<size_t>(row)];
    insertItem(tree, row, sibling < 0 ? TVI_FIRST : model.handles[static_cast<size_t>(sibling)]);
  }
}

// Items appended after the control already holds some are always the last
// children of their parents; they go in one by one.
void appendToFilledTree(ControlState& tree) {
  TreeModel& model = tree.tree;
  size_t first = model.handles.size();
  model.handles.resize(model.items.size(), nullptr);
  for (size_t row = first; row < model.items.size(); ++row)
    insertItem(tree, static_cast<int>(row), TVI_LAST);
}

HBITMAP premultipliedBitmap(const Image16& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;  // rows top to bottom, as in Image16
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* out = static_cast<unsigned char*>(bits);
  for (int i = 0; i < 16 * 16; ++i) {
    const uint8_t* rgba = image.rgba + i * 4;
    unsigned alpha = rgba[3];
    out[i * 4 + 0] = static_cast<unsigned char>(rgba[2] * alpha / 255);
    out[i * 4 + 1] = static_cast<unsigned char>(rgba[1] * alpha / 255);
    out[i * 4 + 2] = static_cast<unsigned char>(rgba[0] * alpha / 255);
    out[i * 4 + 3] = static_cast<unsigned char>(alpha);
  }
  return bitmap;
}

}  // namespace

void Win32Gui::State::insertPendingTreeItems(ControlState& tree) {
  if (tree.tree.handles.size() == tree.tree.items.size()) return;
  if (tree.tree.handles.empty()) insertIntoEmptyTree(tree);
  else appendToFilledTree(tree);
}

void Win32Gui::State::insertAllPendingTreeItems() {
  for (auto& entry : controls)
    if (entry.second.kind == ControlKind::TreeView) insertPendingTreeItems(entry.second);
}

HTREEITEM Win32Gui::State::treeItem(ControlState& tree, int row) {
  insertPendingTreeItems(tree);
  if (row < 0 || static_cast<size_t>(row) >= tree.tree.handles.size()) return nullptr;
  return tree.tree.handles[static_cast<size_t>(row)];
}

bool Win32Gui::State::treeRowExpanded(ControlState& tree, int row) {
  HTREEITEM item = treeItem(tree, row);
  return item && (send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
                  TVIS_EXPANDED);
}

int Win32Gui::State::treeRow(ControlState& tree, HTREEITEM item) {
  if (!item) return -1;
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_PARAM;
  query.hItem = item;
  if (!send(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return -1;
  return static_cast<int>(query.lParam);
}

void Win32Gui::State::clearTree(ControlState& tree) {
  // One delete of the root per rebuild: clearing is quadratic under Wine.
  if (!tree.tree.handles.empty())
    send(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  tree.tree = TreeModel{};
}

void Win32Gui::State::selectTreeItemUnderMouse(ControlState& tree) {
  DWORD position = GetMessagePos();
  TVHITTESTINFO hit{};
  hit.pt.x = static_cast<short>(LOWORD(position));
  hit.pt.y = static_cast<short>(HIWORD(position));
  ScreenToClient(tree.hwnd, &hit.pt);
  send(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  constexpr UINT kOnItemRow = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT;
  if (hit.hItem && (hit.flags & kOnItemRow))
    send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hit.hItem));
}

bool Win32Gui::setTreeImages(const std::vector<Image16>& images) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, static_cast<int>(images.size()), 0);
  if (!list) return false;
  for (const Image16& image : images) {
    HBITMAP bitmap = premultipliedBitmap(image);
    int added = bitmap ? ImageList_Add(list, bitmap, nullptr) : -1;
    if (bitmap) DeleteObject(bitmap);
    if (added < 0) {
      ImageList_Destroy(list);
      return false;
    }
  }
  for (auto& entry : state_->controls)
    if (entry.second.kind == ControlKind::TreeView)
      send(entry.second, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
  if (state_->treeImages) ImageList_Destroy(state_->treeImages);
  state_->treeImages = list;
  return true;
}

void Win32Gui::appendTreeItem(int control, const std::string& text, int image, int level) {
  ControlState* tree = state_->control(control);
  if (!tree || tree->kind != ControlKind::TreeView) return;
  TreeModel& model = tree->tree;
  // The path holds the previous item at index P and its ancestors below:
  // a level up to P makes a sibling of the item at that level, anything
  // deeper the first child of the previous item.
  size_t effective = static_cast<size_t>(std::clamp(level, 0, static_cast<int>(model.path.size())));
  int row = static_cast<int>(model.items.size());
  for (size_t closed = effective; closed < model.path.size(); ++closed)
    model.subtreeEnd[static_cast<size_t>(model.path[closed])] = row;
  model.path.resize(effective);
  model.items.push_back({text, image, model.path.empty() ? -1 : model.path.back()});
  model.subtreeEnd.push_back(-1);
  model.path.push_back(row);
}

int Win32Gui::firstRootRow(int control) {
  ControlState* tree = state_->control(control);
  if (!tree || tree->kind != ControlKind::TreeView) return -1;
  state_->insertPendingTreeItems(*tree);
  return state_->treeRow(*tree, reinterpret_cast<HTREEITEM>(send(*tree, TVM_GETNEXTITEM, TVGN_ROOT)));
}

// What TVGN_NEXTVISIBLE answers, worked out from the rows: after an
// expanded item with children comes its first child, after any other item
// the first row past its subtree. Only items with children, which went into
// the control first, are asked for their state; naming every row instead
// makes a walk over a large tree quadratic under Wine.
int Win32Gui::nextVisibleRow(int control, int row) {
  ControlState* tree = state_->control(control);
  if (!tree || tree->kind != ControlKind::TreeView || !state_->treeItem(*tree, row)) return -1;
  const TreeModel& model = tree->tree;
  for (int above = model.items[static_cast<size_t>(row)].parent; above >= 0;
       above = model.items[static_cast<size_t>(above)].parent)
    if (!state_->treeRowExpanded(*tree, above)) return -1;  // the row itself is not visible
  if (hasChildren(model, row) && state_->treeRowExpanded(*tree, row)) return row + 1;
  return model.subtreeEnd[static_cast<size_t>(row)];
}

// An item without children is not affected by expanding or collapsing, so
// it is not named to the control at all: under Wine every message that names
// a late item costs a search through all items before it.
void Win32Gui::expandRow(int control, int row) {
  ControlState* tree = state_->control(control);
  if (!tree || tree->kind != ControlKind::TreeView || !hasChildren(tree->tree, row)) return;
  if (HTREEITEM item = state_->treeItem(*tree, row))
    send(*tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void Win32Gui::collapseRow(int control, int row) {
  ControlState* tree = state_->control(control);
  if (!tree || tree->kind != ControlKind::TreeView || !hasChildren(tree->tree, row)) return;
  if (HTREEITEM item = state_->treeItem(*tree, row))
    send(*tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
}

void Win32Gui::ensureRowVisible(int control, int row) {
  ControlState* tree = state_->control(control);
  if (!tree || tree->kind != ControlKind::TreeView) return;
  if (HTREEITEM item = state_->treeItem(*tree, row))
    send(*tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

}  // namespace qk
