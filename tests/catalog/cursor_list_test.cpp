#include "catalog/cursor_list.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace qk {
namespace {

CursorList<CatalogGroup> listOf(std::initializer_list<const char*> names) {
  CursorList<CatalogGroup> list;
  for (const char* name : names) list.insertAfterCursor().name = name;
  return list;
}

std::vector<std::string> namesOf(const CursorList<CatalogGroup>& list) {
  std::vector<std::string> names;
  for (const CatalogGroup& group : list.elements()) names.push_back(group.name);
  return names;
}

// Walks to the element with this name and returns it, the cursor on it.
CatalogGroup* walkTo(CursorList<CatalogGroup>& list, const std::string& name) {
  list.resetCursor();
  while (CatalogGroup* group = list.nextElement()) {
    if (group->name == name) return group;
  }
  return nullptr;
}

std::string nameOrNone(const CatalogGroup* group) { return group ? group->name : "<none>"; }

TEST(CursorList, FullWalkOfEmptyListLeavesCursorBeforeFirst) {
  CursorList<CatalogGroup> list;
  list.resetCursor();
  EXPECT_EQ(list.nextElement(), nullptr);
  EXPECT_EQ(list.currentElement(), nullptr);
  list.insertAfterCursor().name = "only";
  EXPECT_EQ(namesOf(list), (std::vector<std::string>{"only"}));
  EXPECT_EQ(list.currentElement()->name, "only");
}

TEST(CursorList, NextElementAtTheEndStaysOnTheLast) {
  CursorList<CatalogGroup> list = listOf({"a", "b"});
  list.resetCursor();
  EXPECT_EQ(list.nextElement()->name, "a");
  EXPECT_EQ(list.nextElement()->name, "b");
  EXPECT_EQ(list.nextElement(), nullptr);
  EXPECT_EQ(list.currentElement()->name, "b");
  list.insertAfterCursor().name = "c";
  EXPECT_EQ(namesOf(list), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(CursorList, InsertAfterCursorGoesBehindCurrentOrToTheFront) {
  CursorList<CatalogGroup> list = listOf({"a", "b", "c"});
  walkTo(list, "a");
  list.insertAfterCursor().name = "a2";
  EXPECT_EQ(list.currentElement()->name, "a2");
  list.resetCursor();
  list.insertAfterCursor().name = "front";
  EXPECT_EQ(namesOf(list), (std::vector<std::string>{"front", "a", "a2", "b", "c"}));
}

TEST(CursorList, NewElementHasZeroNumbersAndEmptyTexts) {
  CursorList<CatalogEntry> list;
  const CatalogEntry& entry = list.insertAfterCursor();
  EXPECT_EQ(entry.name, "");
  EXPECT_EQ(entry.location, "");
  EXPECT_EQ(entry.description, "");
  EXPECT_EQ(entry.author, "");
  EXPECT_EQ(entry.typeCode, 0);
  EXPECT_EQ(entry.modified, 0);
  EXPECT_EQ(entry.lineCount, 0);
  EXPECT_EQ(entry.groupId, 0);
  EXPECT_EQ(entry.entryIndex, 0);
}

TEST(CursorList, RemoveAtCursorThenNextElementYieldsTheFollowingElement) {
  struct Case {
    const char* removed;
    const char* currentAfter;
    const char* nextAfter;
  };
  for (const Case& c : {Case{"a", "<none>", "b"}, Case{"b", "a", "c"}, Case{"c", "b", "<none>"}}) {
    SCOPED_TRACE(c.removed);
    CursorList<CatalogGroup> list = listOf({"a", "b", "c"});
    ASSERT_NE(walkTo(list, c.removed), nullptr);
    list.removeAtCursor();
    EXPECT_EQ(list.countElements(), 2);
    EXPECT_EQ(nameOrNone(list.currentElement()), c.currentAfter);
    EXPECT_EQ(nameOrNone(list.nextElement()), c.nextAfter);
  }
}

TEST(CursorList, RemoveAtCursorBeforeFirstDoesNothing) {
  CursorList<CatalogGroup> list = listOf({"a", "b"});
  list.resetCursor();
  list.removeAtCursor();
  EXPECT_EQ(namesOf(list), (std::vector<std::string>{"a", "b"}));
}

TEST(CursorList, ClearAllEmptiesAndResetsTheCursor) {
  CursorList<CatalogGroup> list = listOf({"a", "b"});
  list.clearAll();
  EXPECT_EQ(list.countElements(), 0);
  EXPECT_EQ(list.currentElement(), nullptr);
  list.insertAfterCursor().name = "new";
  EXPECT_EQ(namesOf(list), (std::vector<std::string>{"new"}));
}

}  // namespace
}  // namespace qk
