// The bytes the file system knows a path by, for a path that came through Qt.
#pragma once

#include <QString>
#include <string>

// Qt decodes file names as UTF-8 and turns bytes that are not UTF-8 (a name written in
// Windows-1251 by an older system) into U+FFFD, so encoding such a name again would miss
// the file. Each such part of the path is matched against the folder's real entries.
std::string LocalPath(const QString& path);
