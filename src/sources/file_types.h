#pragma once
// The table of recognised source file kinds: classification by extension,
// display names, and the filter of the file-open dialog.
#include <string>

#include "catalog/catalog.h"  // TypeCode

namespace qk {

// Raises A-Z and the bytes 0xC0 to 0xDE by 0x20; every other byte stays.
std::string lowerCaseAnsi(const std::string& text);

// The TypeCode of a full path by its extension: 1 to 17, or 0.
TypeCode classifyByExtension(const std::string& fullPath);

// The German display name of a code; "Unbekannter Dateientyp" outside 1-17.
std::string typeDisplayName(TypeCode code);

// "label|patterns|..." for codes 1-17, "Undefinierte Datei|*.*", then
// opt_addpattern unchanged.
std::string buildOpenFilter(const std::string& opt_addpattern);

// The form GetOpenFileNameA takes: every "|" replaced by NUL, two NULs at the
// end.
std::string toDialogFilter(const std::string& openFilter);

}  // namespace qk
