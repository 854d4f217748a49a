#pragma once
// Window, control and menu numbers. Control numbers are unique across all
// windows; the loop dispatches by control number alone.

namespace qk {

enum WindowId : int {
  kMainWindow = 1,
  kAddWindow = 2,
  kEditWindow = 3,
  kGroupsWindow = 4,
  kOptionsWindow = 5,
};

enum MainControl : int {
  kLibraryFrame = 1,
  kNameList = 2,
  kDetailsText = 3,
  kDescriptionText = 4,
  kAddButton = 5,
  kEditButton = 6,
  kDeleteButton = 7,
  kEditorButton = 8,
  kGroupTree = 9,
  kFolderTree = 10,
  kViewTabs = 11,
  kGroupsButton = 12,
  kOptionsButton = 13,
  kAutosaveButton = 14,
  kAboutButton = 15,
};

enum PopupMenuId : int {
  kFolderTreeMenu = 1,
  kGroupTreeMenu = 3,
};

enum MenuItemId : int {
  kMenuLastGroupItem = 64994,  // ids up to here are group items
  kMenuGroupExpandAll = 64996,
  kMenuGroupCollapseAll = 64997,
  kMenuFolderExpandAll = 64998,
  kMenuFolderCollapseAll = 64999,
  kMenuGroupsHeading = 65000,
};

enum TreeImage : int {
  kImageFolder = 0,
  kImageDocument = 1,
  kImageBox = 2,
};

}  // namespace qk
