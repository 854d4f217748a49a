#pragma once
// Full paths in the form the program's file-open dialog returns them: with
// backslashes, absolute, without "." and ".." segments.
#include <string>

namespace qk {

// `path` (slashes or backslashes, absolute or relative to `currentDirectory`)
// as a full path. A path beginning with one backslash takes the drive of
// `currentDirectory` when it has one; "X:\..." and "\\server\..." stay
// absolute. ".." never climbs above the drive, the root or the share.
std::string fullPathOf(const std::string& currentDirectory, const std::string& path);

// Every slash turned into a backslash.
std::string withBackslashes(std::string path);

// The same, ending with a backslash: the form of a base directory.
std::string fullFolderOf(const std::string& currentDirectory, const std::string& path);

}  // namespace qk
