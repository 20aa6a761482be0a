// The program's command line: quorvel [FILE], --help, --version. Read before the
// application object exists, so --help and --version never need a display.
#pragma once

#include <string>
#include <vector>

// What the command line asks for.
struct TCommandLine {
  enum class TAction { Run, Help, Version, Error };
  TAction Action = TAction::Run;
  std::string FileName;  // the document to open at start; empty for none
  std::string Error;     // the complaint for TAction::Error
};

// Reads the arguments after the program name. "--" ends the options, so a file whose
// name starts with "-" can still be opened.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The texts printed for --help and --version.
std::string UsageText();
std::string VersionText();
