// The program's command line: quorvel [Qt's options] [FILE], --help, --version. Help and
// version are looked for before the application object exists, so they never need a
// display; the rest is read after Qt has taken its own options out.
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

// Help when -h or --help comes before "--", else Version when -v or --version does, else
// Run. Qt's options are still in the arguments here and their values unknown, so nothing
// else is judged: "quorvel -reverse --help" prints the usage like "quorvel --help".
TCommandLine::TAction InformationAsked(const std::vector<std::string>& args);

// Reads the program's own arguments, once Qt has taken its options out: Run with the file
// to open, or Error for an unknown option or a second file. "--" ends the options, so a
// file whose name starts with "-" can still be opened.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The texts printed for --help and --version.
std::string UsageText();
std::string VersionText();
