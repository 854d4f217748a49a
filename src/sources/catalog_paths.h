#pragma once
// Stored locations: relative to the base directory where the path allows,
// resolved back for opening; the path-part rules.
#include <cstdint>
#include <string>

#include "catalog/catalog.h"
#include "platform/system.h"

namespace qk {

// The working directory with a backslash appended when it is not empty and
// does not end with one; empty when it cannot be read.
std::string readBaseDirectory(System& system);

// ".\rest", "..\..\rest" or the full path unchanged.
std::string makeRelativeLocation(const std::string& baseDirectory, const std::string& fullPath);

// The path to hand to the system for a stored location.
std::string resolveLocation(const std::string& baseDirectory, const std::string& location);

// Starts the entry's file as a program, else asks the shell to open it.
// Silent on failure; -1 or an unknown index does nothing.
void openEntryFile(System& system, Catalog& catalog, int32_t entryIndex);

// Separators for these three are both "\" and "/".
std::string filePart(const std::string& path);
std::string folderPart(const std::string& path);
std::string extensionPart(const std::string& path);

}  // namespace qk
