// The site's files (classification list, colour map, declassification lists)
// live in the folder the "ClassificationPath" setting names.
#pragma once

#include <cstddef>

// A site file's path: the folder, a backslash unless the folder ends with one,
// then the name. Must fit this many characters.
constexpr size_t kSiteFilePathMax = 143;

// Builds the path into szPath (kSiteFilePathMax + 1 bytes). FALSE when the
// setting cannot be read or the path does not fit; szPath then holds what
// could be built, for the user's message.
int BuildSiteFilePath(char* szPath, const char* szFileName);
