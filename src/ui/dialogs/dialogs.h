#pragma once
// The dialogs (windows 2 to 5) and the about overlay.
#include <string>
#include <vector>

#include "platform/gui.h"
#include "ui/main/program.h"

namespace qk {

enum AddDialogControl : int {
  kAddName = 101,
  kAddChooseFile = 102,
  kAddAuthor = 103,
  kAddDescription = 104,
  kAddOk = 105,
  kAddCancel = 106,
  kAddAuthorLabel = 107,
};

enum EditDialogControl : int {
  kEditName = 201,
  kEditChooseFile = 202,
  kEditAuthor = 203,
  kEditAuthorLabel = 204,
  kEditDescription = 205,
  kEditInfo = 206,
  kEditRefresh = 207,
  kEditGroup = 208,
  kEditCancel = 209,
  kEditOk = 210,
};

enum GroupsDialogControl : int {
  kGroupsList = 301,
  kGroupsNewName = 302,
  kGroupsNew = 303,
  kGroupsRenameName = 304,
  kGroupsRename = 305,
  kGroupsDelete = 306,
  kGroupsClose = 307,
};

enum OptionsDialogControl : int {
  kOptionsTicksFrame = 401,
  kOptionsUngroupNode = 402,
  kOptionsTreeExpand = 403,
  kOptionsGroupFrame = 404,
  kOptionsGroup = 405,
  kOptionsTabFrame = 406,
  kOptionsTab = 407,
  kOptionsAuthorFrame = 408,
  kOptionsAuthor = 409,
  kOptionsOk = 410,
  kOptionsCancel = 411,
  kOptionsPatternFrame = 412,
  kOptionsPattern = 413,
};

// Each opens its window with its controls and then disables the main
// window; when the window cannot be created nothing else happens.
void openAddDialog(Program& program);
// For the entry selectedEntryIndex; does nothing when no entry has it.
void openEditDialog(Program& program);
void openGroupsDialog(Program& program);
void openOptionsDialog(Program& program);

// Paints the about note onto the main window once.
void showAboutOverlay(Program& program);
// The 21 lines of the about note, made afresh for each showing.
std::vector<std::string> aboutNoteLines();

// Events of the dialogs' controls (101-107, 201-210, 301-307, 401-413).
// Returns false when the control belongs to no dialog.
bool handleDialogEvent(Program& program, const Event& event);

}  // namespace qk
