// The edit-entry dialog: the fields it opens with, what OK keeps and
// replaces, re-pointing a missing file, "Aktualisieren" and the group
// drop-down.
#include <gtest/gtest.h>

#include <string>

#include "sources/file_facts.h"
#include "sources/file_types.h"
#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

class EditDialogTest : public DialogTest {
 public:
  // The selected entry; its file is `location` as stored.
  CatalogEntry& selectEntry(const std::string& location) {
    CatalogEntry& e = addEntry(program.catalog);
    e.name = "haupt.cpp";
    e.location = location;
    e.typeCode = 3;
    e.description = "alt";
    e.modified = static_cast<int32_t>(dateFromFields(2009, 3, 5, 14, 7, 9));
    e.lineCount = 120;
    e.author = "Anna";
    e.groupId = -1;
    program.catalog.selectedEntryIndex = e.entryIndex;
    return e;
  }
  void addGroups() {
    for (const char* name : {"A", "B", "C"}) addGroup(program.catalog, name);
  }
  bool chooseEnabled() { return gui.control(kEditChooseFile)->enabled; }
};

TEST_F(EditDialogTest, OpensWithTheEntryAndItsInfoText) {
  selectEntry(".\\Quellen\\haupt.cpp");
  openEditDialog(program);
  EXPECT_EQ(gui.text(kEditName), "haupt.cpp");
  EXPECT_EQ(gui.text(kEditAuthor), "Anna");
  EXPECT_EQ(gui.text(kEditDescription), "alt");
  EXPECT_EQ(gui.text(kEditInfo), "Ort: .\\Quellen\\haupt.cpp\n\nTyp: " + typeDisplayName(3) +
                                     "\nDatum: 14:07:09 05.03.2009\nZeilen: 120\n");
  EXPECT_TRUE(chooseEnabled());  // the file is missing
}

TEST_F(EditDialogTest, ChooseButtonIsOfferedOnlyForAFileThatCannotBeOpened) {
  selectEntry(sourceFile("da.cpp", 1));
  openEditDialog(program);
  EXPECT_FALSE(chooseEnabled());
}

TEST_F(EditDialogTest, WithoutSelectedEntryNothingOpens) {
  selectEntry(".\\x.c");
  program.catalog.selectedEntryIndex = 4;
  openEditDialog(program);
  EXPECT_FALSE(gui.hasWindow(kEditWindow));
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

struct FieldsCase {
  const char* name;
  std::string typedName, typedAuthor, typedDescription;
  std::string storedName, storedAuthor, storedDescription;
};
void PrintTo(const FieldsCase& c, std::ostream* os) { *os << c.name; }

class EditFieldsTest : public EditDialogTest, public ::testing::WithParamInterface<FieldsCase> {};

// An empty name or author keeps the old value; the description is always
// taken. The details panel then shows the edited entry.
TEST_P(EditFieldsTest, OkStoresTheFieldsAndShowsTheDetails) {
  const FieldsCase& c = GetParam();
  selectEntry(".\\x.c");
  openEditDialog(program);
  gui.userTypes(kEditName, c.typedName);
  gui.userTypes(kEditAuthor, c.typedAuthor);
  gui.userTypes(kEditDescription, c.typedDescription);
  press(kEditOk);
  const CatalogEntry* e = entry(0);
  EXPECT_EQ(e->name, c.storedName);
  EXPECT_EQ(e->author, c.storedAuthor);
  EXPECT_EQ(e->description, c.storedDescription);
  EXPECT_EQ(rows(kNameList), std::vector<std::string>{c.storedName});
  EXPECT_NE(gui.text(kDetailsText).find("Name: " + c.storedName + "\n"), std::string::npos);
  EXPECT_EQ(gui.text(kDescriptionText), c.storedDescription);
  EXPECT_FALSE(gui.hasWindow(kEditWindow));
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditFieldsTest,
    ::testing::Values(FieldsCase{"EmptyFields", "", "", "", "haupt.cpp", "Anna", ""},
                      FieldsCase{"TypedFields", "neu.c", "Bert", "eins\r\nzwei", "neu.c", "Bert",
                                 "eins\r\nzwei"},
                      FieldsCase{"Blanks", " ", " ", " ", " ", " ", " "}),
    CaseName());

TEST_F(EditDialogTest, NewFileRepointsTheLocationOnly) {
  const CatalogEntry before = selectEntry(".\\Quellen\\weg.cpp");
  const std::string path = sourceFile("modul.php", 7);
  openEditDialog(program);
  gui.scriptFileChoice(path);
  press(kEditChooseFile);
  EXPECT_EQ(gui.fileDialogs().at(0).title, "Quellcode ausw\xE4hlen");
  EXPECT_EQ(gui.text(kEditName), "modul.php");
  press(kEditOk);
  const CatalogEntry* e = entry(0);
  EXPECT_EQ(e->name, "modul.php");
  EXPECT_EQ(e->location, makeRelativeLocation(program.catalog.baseDirectory, path));
  EXPECT_EQ(e->typeCode, before.typeCode);
  EXPECT_EQ(e->lineCount, before.lineCount);
  EXPECT_EQ(e->modified, before.modified);
  EXPECT_EQ(e->entryIndex, before.entryIndex);
  EXPECT_TRUE(program.catalog.pendingFilePath.empty());
}

TEST_F(EditDialogTest, AbbruchForgetsTheChosenFile) {
  selectEntry(".\\Quellen\\weg.cpp");
  openEditDialog(program);
  gui.scriptFileChoice(sourceFile("modul.php", 7));
  press(kEditChooseFile);
  press(kEditCancel);
  EXPECT_EQ(entry(0)->location, ".\\Quellen\\weg.cpp");
  EXPECT_EQ(entry(0)->name, "haupt.cpp");
  EXPECT_TRUE(program.catalog.pendingFilePath.empty());
  EXPECT_FALSE(gui.hasWindow(kEditWindow));
}

TEST_F(EditDialogTest, AktualisierenOnAMissingFileWarnsAndKeepsZeroLines) {
  selectEntry(".\\Quellen\\weg.cpp");
  openEditDialog(program);
  press(kEditRefresh);
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].title, "Fehler");
  EXPECT_EQ(gui.messages()[0].text,
            "Die Datei .\\Quellen\\weg.cpp scheint nicht mehr aktuell zu existieren\n"
            "Sie wird NICHT automatisch aus der Liste entfernt");
  EXPECT_NE(gui.text(kEditInfo).find("Zeilen: 0\n"), std::string::npos);
  press(kEditCancel);
  EXPECT_EQ(entry(0)->lineCount, 0);
  EXPECT_EQ(entry(0)->modified, 0);
}

TEST_F(EditDialogTest, AktualisierenShowsTheGrownFileAtOnce) {
  const std::string path = sourceFile("da.cpp", 3);
  selectEntry(path);
  openEditDialog(program);
  sourceFile("da.cpp", 13);
  press(kEditRefresh);
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_NE(gui.text(kEditInfo).find("Zeilen: 13\n"), std::string::npos);
  EXPECT_EQ(entry(0)->lineCount, 13);
  EXPECT_EQ(entry(0)->modified, fileModifiedDate(*system, path));
}

struct GroupChoiceCase {
  const char* name;
  int32_t groupBefore;
  int selectedOnOpening;
  int userPicks;  // -1: the user leaves the drop-down alone
  int32_t groupAfter;
};
void PrintTo(const GroupChoiceCase& c, std::ostream* os) { *os << c.name; }

class EditGroupChoiceTest : public EditDialogTest,
                            public ::testing::WithParamInterface<GroupChoiceCase> {};

TEST_P(EditGroupChoiceTest, DropDownShowsAndSetsTheEntrysGroup) {
  const GroupChoiceCase& c = GetParam();
  addGroups();
  selectEntry(".\\x.c").groupId = c.groupBefore;
  openEditDialog(program);
  EXPECT_EQ(rows(kEditGroup), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(gui.selectedRow(kEditGroup), c.selectedOnOpening);
  if (c.userPicks != -1) gui.userSelects(kEditGroup, c.userPicks);
  press(kEditOk);
  EXPECT_EQ(entry(0)->groupId, c.groupAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditGroupChoiceTest,
                         ::testing::Values(GroupChoiceCase{"KeptGroup", 1, 1, -1, 1},
                                           GroupChoiceCase{"KeptNoGroup", -1, -1, -1, -1},
                                           GroupChoiceCase{"KeptStaleNumber", 7, -1, -1, 7},
                                           GroupChoiceCase{"PickedFromNone", -1, -1, 2, 2},
                                           GroupChoiceCase{"PickedAnother", 1, 1, 0, 0}),
                         CaseName());

}  // namespace
}  // namespace qk::test
