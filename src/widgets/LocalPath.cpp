// Path parts with undecodable bytes are looked up among the folder's entries.
#include "widgets/LocalPath.h"

#include <dirent.h>

#include <QFile>
#include <QStringList>

namespace {

// The entry of the folder whose decoded name is `part`; empty when there is none.
std::string FindEntry(const std::string& folder, const QString& part) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return {};
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    if (QFile::decodeName(entry->d_name) == part) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string LocalPath(const QString& path) {
  if (!path.contains(QChar::ReplacementCharacter)) return QFile::encodeName(path).toStdString();
  const QStringList parts = path.split(QLatin1Char('/'));
  std::string resolved;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    std::string raw = QFile::encodeName(part).toStdString();
    if (part.contains(QChar::ReplacementCharacter)) {
      const std::string folder = i == 0 ? "." : (resolved.empty() ? "/" : resolved);
      const std::string entry = FindEntry(folder, part);
      if (!entry.empty()) raw = entry;
    }
    resolved += (i == 0 ? "" : "/") + raw;
  }
  return resolved;
}
