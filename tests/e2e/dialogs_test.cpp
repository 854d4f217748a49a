// Journeys through the dialogs: adding an entry through the real file-open
// dialog, editing it, managing groups, the options, and the about overlay.
#include <filesystem>

#include "catalog/catalog_file.h"
#include "e2e/journey.h"
#include "platform/system.h"

namespace qk::e2e {
namespace {

constexpr int kNameList = 2;
constexpr int kDetailsText = 3;
constexpr int kAddButton = 5;
constexpr int kEditButton = 6;
constexpr int kGroupTree = 9;
constexpr int kFolderTree = 10;
constexpr int kTabs = 11;
constexpr int kGroupsButton = 12;
constexpr int kOptionsButton = 13;
constexpr int kAboutButton = 15;

std::vector<std::string> texts(const std::vector<TreeItem>& items) {
  std::vector<std::string> result;
  for (const TreeItem& item : items) result.push_back(item.text);
  return result;
}

class Dialogs : public Journey {
 protected:
  HWND control(int id) const { return program.control(id); }

  // Presses the main window's button and waits for the dialog with this
  // title, its last control and the main window disabled.
  HWND openDialog(int button, const std::string& title, int lastControl) {
    pressButton(control(button));
    HWND dialog = nullptr;
    EXPECT_TRUE(program.waitForWindow(program.mainWindowClass().c_str(), title, dialog));
    EXPECT_TRUE(waitUntil("the dialog \"" + title + "\" to be ready", [&] {
      return dialog && GetDlgItem(dialog, lastControl) && !isEnabled(program.window());
    }));
    return dialog;
  }

  // Presses the dialog's closing button and waits for it to go.
  void closeDialog(HWND dialog, int button) {
    pressButton(GetDlgItem(dialog, button));
    EXPECT_TRUE(program.waitForGone(dialog, "the dialog"));
    EXPECT_TRUE(waitUntil("the main window to be enabled", [&] {
      return isEnabled(program.window());
    }));
  }

  Catalog savedCatalog() const {
    Catalog catalog;
    auto system = makeSystem();
    readCatalogFile(*system, catalog, file("autosave.ksf"));
    return catalog;
  }
};

TEST_F(Dialogs, AddAnEntryThroughTheFileOpenDialog) {
  std::filesystem::create_directory(file("src"));
  test::writeBytes(file("src\\neu.c"), "int a;\nint b;\nint c;\n");
  ASSERT_TRUE(program.open(workDir.path()));

  HWND dialog = openDialog(kAddButton, "Neuen Quellcode hinzuf\xFC" "gen", 106);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(windowText(GetDlgItem(dialog, 103)), hostName());
  pressButton(GetDlgItem(dialog, 102));
  HWND fileDialog = nullptr;
  ASSERT_TRUE(program.waitForFileDialog(fileDialog));
  chooseFile(fileDialog, file("src\\neu.c"));
  ASSERT_TRUE(program.waitForGone(fileDialog, "the file-open dialog"));
  EXPECT_TRUE(waitUntil("the file name in the name field",
                        [&] { return windowText(GetDlgItem(dialog, 101)) == "neu.c"; }));
  setText(GetDlgItem(dialog, 104), "Drei Zeilen");
  closeDialog(dialog, 105);

  EXPECT_EQ(listRows(control(kNameList)), std::vector<std::string>{"neu.c"});
  EXPECT_EQ(texts(program.treeItems(control(kGroupTree))), std::vector<std::string>{"neu.c"});
  EXPECT_EQ(texts(program.treeItems(control(kFolderTree))),
            (std::vector<std::string>{"root", "src", "neu.c"}));
  closeProgram();

  Catalog saved = savedCatalog();
  ASSERT_EQ(saved.entries.countElements(), 1);
  const CatalogEntry& entry = saved.entries.elements()[0];
  EXPECT_EQ(entry.name, "neu.c");
  EXPECT_EQ(entry.location, ".\\src\\neu.c");
  EXPECT_EQ(entry.typeCode, 5);
  EXPECT_EQ(entry.description, "Drei Zeilen");
  EXPECT_EQ(entry.lineCount, 3);
  EXPECT_NE(entry.modified, 0);
  EXPECT_EQ(entry.author, hostName());
  EXPECT_EQ(entry.groupId, -1);
}

TEST_F(Dialogs, EditAnEntry) {
  writeCatalog(catalogOf({"Beta"}), "autosave.ksf");
  test::writeBytes(settingsFilePath(), settingsText(0, "Anna"));
  ASSERT_TRUE(program.open(workDir.path()));
  click(control(kNameList), centerOf(listRowRect(control(kNameList), 0)));
  ASSERT_TRUE(waitUntil("Beta to be chosen", [&] {
    return windowText(control(kDetailsText)).rfind("Name: Beta\n", 0) == 0;
  }));

  HWND dialog = openDialog(kEditButton, "Quellcode Daten bearbeiten", 210);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(windowText(GetDlgItem(dialog, 201)), "Beta");
  setText(GetDlgItem(dialog, 201), "Beta neu");
  setText(GetDlgItem(dialog, 203), "Vera");
  setText(GetDlgItem(dialog, 205), "Neue Beschreibung");
  closeDialog(dialog, 210);

  EXPECT_EQ(listRows(control(kNameList)), std::vector<std::string>{"Beta neu"});
  EXPECT_EQ(windowText(control(kDetailsText)).rfind("Name: Beta neu\n", 0), 0u);
  closeProgram();
  Catalog saved = savedCatalog();
  ASSERT_EQ(saved.entries.countElements(), 1);
  EXPECT_EQ(saved.entries.elements()[0].name, "Beta neu");
  EXPECT_EQ(saved.entries.elements()[0].author, "Vera");
  EXPECT_EQ(saved.entries.elements()[0].description, "Neue Beschreibung");
  EXPECT_EQ(saved.entries.elements()[0].location, ".\\Beta.c");
}

TEST_F(Dialogs, CreateRenameAndDeleteGroups) {
  ASSERT_TRUE(program.open(workDir.path()));
  HWND dialog = openDialog(kGroupsButton, "Gruppenverwaltung", 307);
  ASSERT_TRUE(dialog);
  HWND list = GetDlgItem(dialog, 301);

  for (const char* name : {"Netz", "Werkzeuge"}) {
    setText(GetDlgItem(dialog, 302), name);
    pressButton(GetDlgItem(dialog, 303));
    EXPECT_TRUE(waitUntil(std::string("the group ") + name, [&] {
      auto rows = listRows(list);
      return !rows.empty() && rows.back() == name;
    }));
  }
  click(list, centerOf(listRowRect(list, 0)));
  ASSERT_TRUE(waitUntil("the rename field to take the group's name", [&] {
    return isEnabled(GetDlgItem(dialog, 304)) && windowText(GetDlgItem(dialog, 304)) == "Netz";
  }));
  setText(GetDlgItem(dialog, 304), "Netzwerk");
  pressButton(GetDlgItem(dialog, 305));
  EXPECT_TRUE(waitUntil("the renamed group", [&] {
    return listRows(list) == std::vector<std::string>{"Netzwerk", "Werkzeuge"};
  }));

  click(list, centerOf(listRowRect(list, 1)));
  ASSERT_TRUE(waitUntil("L\xF6schen to be enabled",
                        [&] { return isEnabled(GetDlgItem(dialog, 306)); }));
  pressButton(GetDlgItem(dialog, 306));
  EXPECT_TRUE(waitUntil("Werkzeuge to go", [&] {
    return listRows(list) == std::vector<std::string>{"Netzwerk"};
  }));
  closeDialog(dialog, 307);

  EXPECT_EQ(texts(program.treeItems(control(kGroupTree))), std::vector<std::string>{"Netzwerk"});
  closeProgram();
  Catalog saved = savedCatalog();
  ASSERT_EQ(saved.groups.countElements(), 1);
  EXPECT_EQ(saved.groups.elements()[0].name, "Netzwerk");
}

TEST_F(Dialogs, TheDefaultViewChosenInTheOptionsOpensAtTheNextStart) {
  ASSERT_TRUE(program.open(workDir.path()));
  HWND dialog = openDialog(kOptionsButton, "Optionen", 411);
  ASSERT_TRUE(dialog);
  selectComboRow(GetDlgItem(dialog, 407), 2);
  closeDialog(dialog, 410);
  closeProgram();
  EXPECT_EQ(test::readBytes(settingsFilePath()), settingsText(2, hostName()));

  Program again;
  ASSERT_TRUE(again.open(workDir.path()));
  EXPECT_TRUE(isVisible(again.control(kFolderTree)));
  EXPECT_FALSE(isVisible(again.control(kGroupTree)));
  EXPECT_EQ(SendMessageA(again.control(kTabs), TCM_GETCURSEL, 0, 0), 2);
  DWORD exitCode = 1;
  ASSERT_TRUE(again.close(exitCode));
}

// The black pixels on the screen line through the screen's centre, 50 to
// either side of it.
int blackPixelsAcrossTheCentre(HWND window) {
  POINT centre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  ScreenToClient(window, &centre);
  int black = 0;
  for (int dx = -50; dx <= 50; ++dx) {
    black += screenPixel(window, {centre.x + dx, centre.y}) == RGB(0, 0, 0);
  }
  return black;
}

TEST_F(Dialogs, TheAboutOverlayIsPaintedOverTheWindow) {
  ASSERT_TRUE(program.open(workDir.path()));
  // The overlay is centred on the screen: a window nearly as large as the
  // screen shows it whole.
  setClientSize(program.window(), GetSystemMetrics(SM_CXSCREEN) - 20,
                GetSystemMetrics(SM_CYSCREEN) - 40);
  ASSERT_TRUE(waitUntil("the layout for the large window", [&] {
    RECT about = rectIn(program.control(kAboutButton), program.window());
    return about.left == clientSize(program.window()).cx - 25;
  }));
  ASSERT_TRUE(program.waitForIdle());
  EXPECT_EQ(blackPixelsAcrossTheCentre(program.window()), 0);

  pressButton(control(kAboutButton));
  EXPECT_TRUE(waitUntil("the black box of the overlay",
                        [&] { return blackPixelsAcrossTheCentre(program.window()) >= 30; }));
  std::string shot = saveScreenshot(program.window(), "about-overlay");
  EXPECT_FALSE(shot.empty());
  std::cout << "screenshot: " << shot << "\n";
  closeProgram();
}

}  // namespace
}  // namespace qk::e2e
