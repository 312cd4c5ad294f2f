// FileSystem: what the tool asks of the folders it writes into.
#pragma once

#include <cstdint>
#include <string>

enum class PathKind { kMissing, kRegular, kFolder, kOther };

PathKind KindOf(const std::string& path);
// The folder holding path ("." for a bare name).
std::string FolderOf(const std::string& path);
// The last part of path: the name it has in its folder.
std::string NameOf(const std::string& path);
// The path of name in the folder that holds path.
std::string SiblingPath(const std::string& path, const std::string& name);
// The file a path names once symbolic links are followed (path itself where
// there are none or the platform has none).
std::string ResolveLinks(const std::string& path);
// Renames from over to, replacing it in one step; *reason says why not.
bool RenameOver(const std::string& from, const std::string& to, std::string* reason);
bool RemoveFile(const std::string& path);
// Gives to the access permissions of from (where the platform has them).
void CopyPermissions(const std::string& from, const std::string& to);
// Bytes free for this user in folder; false when the platform cannot tell.
bool FreeSpace(const std::string& folder, uint64_t* bytes);
