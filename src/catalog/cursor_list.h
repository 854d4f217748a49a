#pragma once
// An ordered list of records with a cursor. The cursor stands on one element
// or before the first element (no current element). Walks are resetCursor,
// then nextElement until it yields nullptr; a full walk leaves the cursor on
// the last element, so insertAfterCursor right after it appends.
#include <cstddef>
#include <vector>

namespace qk {

template <typename T>
class CursorList {
 public:
  // The cursor stands before the first element.
  void resetCursor() { cursor_ = kBeforeFirst; }

  // Moves one element on and yields it; at the end yields nullptr and the
  // cursor stays where it was.
  T* nextElement() {
    if (cursor_ + 1 >= static_cast<long>(items_.size())) return nullptr;
    ++cursor_;
    return &items_[static_cast<size_t>(cursor_)];
  }

  // The element under the cursor, nullptr when the cursor is before the first.
  T* currentElement() {
    return cursor_ == kBeforeFirst ? nullptr : &items_[static_cast<size_t>(cursor_)];
  }

  // A new element with all numbers 0 and all texts empty, directly after the
  // element under the cursor (at the front when there is none); the cursor
  // moves onto it.
  T& insertAfterCursor() {
    ++cursor_;
    items_.insert(items_.begin() + cursor_, T{});
    return items_[static_cast<size_t>(cursor_)];
  }

  // Removes the element under the cursor; the cursor moves to the element
  // before it, or before the first when it was the first. Nothing happens
  // when the cursor is before the first element.
  void removeAtCursor() {
    if (cursor_ == kBeforeFirst) return;
    items_.erase(items_.begin() + cursor_);
    --cursor_;
  }

  void clearAll() {
    items_.clear();
    cursor_ = kBeforeFirst;
  }

  int countElements() const { return static_cast<int>(items_.size()); }

  // Direct access for the sorts, the view builds and the writer; these do not
  // move the cursor.
  std::vector<T>& elements() { return items_; }
  const std::vector<T>& elements() const { return items_; }
  // Puts the cursor on a position (0 based); used by sorts to leave the
  // cursor on the last position.
  void placeCursor(long position) { cursor_ = position; }

 private:
  static constexpr long kBeforeFirst = -1;
  std::vector<T> items_;
  long cursor_ = kBeforeFirst;
};

}  // namespace qk
