// The typed errors of the editor family and the document code, each carrying the
// system's own message text.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// Base of every error the program raises; Message() is what the error box shows.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// "List index out of bounds (%d)"
class EListError : public Exception {
 public:
  explicit EListError(long long index);
};

// "'%s' is not a valid integer value"
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  static EConvertError NotAnInteger(const std::string& text);
};

// "Scrollbar property out of range" and other misuse of a control.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// "Assertion failure" from an unbalanced update bracket and similar programming errors.
class EAssertionFailed : public Exception {
 public:
  using Exception::Exception;
};

// A text-file error, with the platform's I/O error code.
class EInOutError : public Exception {
 public:
  explicit EInOutError(int code);
  // A failure the platform's table has no text for keeps its code and says in words
  // what happened.
  EInOutError(int code, const std::string& message);
  // The error for a failed system call: the table's text where it has one, otherwise
  // "I/O error %d: " and the system's description.
  static EInOutError FromErrno(int err);
  int ErrorCode() const { return code_; }

 private:
  int code_;
};

// "Cannot open file "%s". %s" from a whole-file load.
class EFOpenError : public Exception {
 public:
  EFOpenError(const std::string& fileName, const std::string& systemText);
};

// The I/O error text for a code: 2 "File not found", 3 "Invalid filename", …,
// any other "I/O error %d".
std::string IOErrorText(int code);

// The system's text for an errno value, as shown after "Cannot open file".
std::string SystemErrorText(int err);

// The error box appends "." when the message's last character sorts above ".".
std::string MessageForDisplay(const std::string& message);

// "'%s' is not a valid integer value" unless text is a whole decimal (or $hex) number.
int StrToInt(const std::string& text);

}  // namespace platform
