// The add-entry dialog: choosing a file, the "Achtung" cases and the nine
// fields of the new entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "sources/file_facts.h"
#include "sources/file_types.h"
#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

const char kAchtungText[] = "Eine Datei ist ein notwendiges \xDC" "bel.";

class AddDialogTest : public DialogTest {
 public:
  void chooseFile(const std::string& path) {
    gui.scriptFileChoice(path);
    press(kAddChooseFile);
  }
  bool nameListShows(const std::string& name) {
    const std::vector<std::string> list = rows(kNameList);
    return std::find(list.begin(), list.end(), name) != list.end();
  }
};

TEST_F(AddDialogTest, ChosenFileBecomesAnEntryWithAllItsFields) {
  const std::string path = sourceFile("haupt.cpp", 3);
  program.options.opt_stdautor = "Anna";
  program.options.opt_stdgruppe = 2;
  program.options.opt_addpattern = "|Eigene|*.abc";
  openAddDialog(program);
  EXPECT_EQ(gui.text(kAddAuthor), "Anna");

  gui.userTypes(kAddName, "vorher getippt");
  chooseFile(path);
  ASSERT_EQ(gui.fileDialogs().size(), 1u);
  EXPECT_EQ(gui.fileDialogs()[0].title, "Quellcode ausw\xE4hlen");
  EXPECT_EQ(gui.fileDialogs()[0].filter, toDialogFilter(buildOpenFilter("|Eigene|*.abc")));
  EXPECT_EQ(gui.text(kAddName), "haupt.cpp");
  EXPECT_EQ(program.catalog.pendingFilePath, path);

  gui.userTypes(kAddDescription, "erste\r\nzweite");
  press(kAddOk);

  EXPECT_TRUE(gui.messages().empty());
  ASSERT_EQ(program.catalog.entries.countElements(), 1);
  const CatalogEntry* e = entry(0);
  ASSERT_NE(e, nullptr);
  const std::string location = makeRelativeLocation(program.catalog.baseDirectory, path);
  EXPECT_EQ(e->name, "haupt.cpp");
  EXPECT_EQ(e->location, location);
  EXPECT_EQ(e->typeCode, classifyByExtension(path));
  EXPECT_NE(e->typeCode, 0);
  EXPECT_EQ(e->description, "erste\r\nzweite");
  EXPECT_EQ(e->author, "Anna");
  EXPECT_EQ(e->lineCount, 3);
  EXPECT_EQ(e->modified, fileModifiedDate(*system, location));
  EXPECT_NE(e->modified, 0);
  EXPECT_EQ(e->groupId, 2);
  EXPECT_EQ(program.catalog.nextEntryIndex, 1);
  EXPECT_EQ(program.catalog.selectedEntryIndex, -1);
  EXPECT_TRUE(program.catalog.pendingFilePath.empty());
  EXPECT_TRUE(nameListShows("haupt.cpp"));
  EXPECT_FALSE(gui.hasWindow(kAddWindow));
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

struct AuthorCase {
  const char* name;
  std::string typedAuthor;
  int32_t defaultGroup;
  std::string storedAuthor;
};
void PrintTo(const AuthorCase& c, std::ostream* os) { *os << c.name; }

class AddAuthorTest : public AddDialogTest, public ::testing::WithParamInterface<AuthorCase> {};

TEST_P(AddAuthorTest, AuthorAndGroupOfTheNewEntry) {
  const AuthorCase& c = GetParam();
  program.options.opt_stdgruppe = c.defaultGroup;
  openAddDialog(program);
  chooseFile(sourceFile("x.c", 1));
  gui.userTypes(kAddName, "anders benannt");
  gui.userTypes(kAddAuthor, c.typedAuthor);
  press(kAddOk);
  const CatalogEntry* e = entry(0);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->name, "anders benannt");
  EXPECT_EQ(e->author, c.storedAuthor);
  EXPECT_EQ(e->groupId, c.defaultGroup);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddAuthorTest,
                         ::testing::Values(AuthorCase{"Empty", "", -1, "Unbekannt"},
                                           AuthorCase{"OneBlank", " ", 2, " "},
                                           AuthorCase{"Typed", "Carla", 0, "Carla"}),
                         CaseName());

// Each case ends with the dialog open and OK pressed; the "Achtung" message
// must appear and nothing may change.
struct AchtungCase {
  const char* name;
  std::function<void(AddDialogTest&, const std::string& path)> steps;
};
void PrintTo(const AchtungCase& c, std::ostream* os) { *os << c.name; }

class AddAchtungTest : public AddDialogTest,
                       public ::testing::WithParamInterface<AchtungCase> {};

TEST_P(AddAchtungTest, OkWithoutNameOrFileWarnsAndKeepsTheDialog) {
  const std::string path = sourceFile("haupt.cpp", 2);
  openAddDialog(program);
  GetParam().steps(*this, path);
  press(kAddOk);
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].title, "Achtung");
  EXPECT_EQ(gui.messages()[0].text, kAchtungText);
  EXPECT_EQ(program.catalog.entries.countElements(), 0);
  EXPECT_TRUE(gui.hasWindow(kAddWindow));
  EXPECT_FALSE(gui.isWindowEnabled(kMainWindow));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddAchtungTest,
    ::testing::Values(
        AchtungCase{"NameButNoFile",
                    [](AddDialogTest& t, const std::string&) { t.gui.userTypes(kAddName, "x"); }},
        AchtungCase{"FileButNameCleared",
                    [](AddDialogTest& t, const std::string& path) {
                      t.chooseFile(path);
                      t.gui.userTypes(kAddName, "");
                    }},
        AchtungCase{"SecondChoiceCancelled",
                    [](AddDialogTest& t, const std::string& path) {
                      t.chooseFile(path);
                      t.chooseFile("");
                      EXPECT_EQ(t.gui.text(kAddName), "haupt.cpp");
                    }},
        AchtungCase{"FileForgottenByAbbruch",
                    [](AddDialogTest& t, const std::string& path) {
                      t.chooseFile(path);
                      t.press(kAddCancel);
                      EXPECT_FALSE(t.gui.hasWindow(kAddWindow));
                      EXPECT_TRUE(t.gui.isWindowEnabled(kMainWindow));
                      openAddDialog(t.program);
                      t.gui.userTypes(kAddName, "haupt.cpp");
                    }}),
    CaseName());

TEST_F(AddDialogTest, SameFileAddedTwiceGetsConsecutiveIndexes) {
  const std::string path = sourceFile("haupt.cpp", 2);
  for (int i = 0; i < 2; ++i) {
    openAddDialog(program);
    chooseFile(path);
    press(kAddOk);
  }
  ASSERT_EQ(program.catalog.entries.countElements(), 2);
  ASSERT_NE(entry(0), nullptr);
  ASSERT_NE(entry(1), nullptr);
  EXPECT_EQ(entry(0)->location, entry(1)->location);
  EXPECT_EQ(program.catalog.nextEntryIndex, 2);
}

}  // namespace
}  // namespace qk::test
