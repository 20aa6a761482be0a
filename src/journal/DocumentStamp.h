// What a journal remembers of the document file it began from, and the check at start-up
// that the file on disk is still that one.
#pragma once

#include <optional>
#include <string>

#include "journal/JournalFormat.h"

namespace journal {

// The file at `path` as it is now: its size, modification time and the CRC-32 of its
// bytes (one read of the file). Nothing when it is not a regular file that can be read.
std::optional<TDocumentStamp> StampFile(const std::string& path, const std::string& encoding);

// Whether the stamped file is gone or differs in size, modification time or content. A
// page that was never saved has no file and so never changed.
bool FileChangedSince(const TDocumentStamp& stamp);

}  // namespace journal
