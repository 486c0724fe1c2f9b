#pragma once

#include <string>

#include "platform/ISystemPort.h"

namespace kestavo {

// The setup folder is the process's current directory, asked for afresh at
// each use. A file in it is the folder, exactly one backslash and the name:
// at a drive root ("D:\") the folder already ends in one.
std::string SetupFolderWithSeparator(ISystemPort& system);
std::string SetupFilePath(ISystemPort& system, const std::string& fileName);

// Paths are read character by character, as the ANSI code page makes them
// up: the second byte of a double-byte character is never a separator,
// even when it is 0x5C ("ソ", "表", "能" on a Japanese system).

// The file-name part of a path: what follows its last backslash, slash or
// colon; all of it when it has none.
std::string FileNamePart(ISystemPort& system, const std::string& path);

// Whether the path's last character is a backslash.
bool EndsWithSeparator(ISystemPort& system, const std::string& path);

// Appends a backslash unless the folder already ends in one.
std::string WithTrailingSeparator(ISystemPort& system, std::string folder);

}  // namespace kestavo
