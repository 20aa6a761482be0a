// Messages of the typed errors.
#include "platform/Errors.h"

#include <cerrno>
#include <climits>
#include <cstring>

namespace platform {

namespace {

// The platform's code for the errno values its table speaks of; 0 for any other.
int TableCode(int err) {
  switch (err) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case ENOSPC:
    case EDQUOT: return 101;
    default: return 0;
  }
}

}  // namespace

EListError::EListError(long long index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

EConvertError EConvertError::NotAnInteger(const std::string& text) {
  return EConvertError("'" + text + "' is not a valid integer value");
}

EInOutError::EInOutError(int code) : Exception(IOErrorText(code)), code_(code) {}

EInOutError::EInOutError(int code, const std::string& message) : Exception(message), code_(code) {}

EInOutError EInOutError::FromErrno(int err) {
  const int code = TableCode(err);
  if (code != 0) return EInOutError(code);
  // An errno the table does not know may share its number with a table entry (EIO is 5,
  // "File access denied"): such a failure is told in the system's own words instead.
  return EInOutError(err, "I/O error " + std::to_string(err) + ": " + std::strerror(err));
}

EFOpenError::EFOpenError(const std::string& fileName, const std::string& systemText)
    : Exception("Cannot open file \"" + fileName + "\". " + systemText) {}

std::string IOErrorText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

std::string SystemErrorText(int err) {
  switch (err) {
    case ENOENT: return "The system cannot find the file specified";
    case EACCES:
    case EPERM: return "Access is denied";
    case EISDIR: return "Access is denied";
    case ENOTDIR: return "The system cannot find the path specified";
    default: return std::strerror(err);
  }
}

std::string MessageForDisplay(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

int StrToInt(const std::string& text) {
  const auto fail = [&] { return EConvertError::NotAnInteger(text); };
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) throw fail();
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else throw fail();
    value = value * base + digit;
    if (value > static_cast<long long>(INT_MAX) + 1) throw fail();
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) throw fail();
  return static_cast<int>(value);
}

}  // namespace platform
