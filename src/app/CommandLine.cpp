// Reading the command line and the texts it prints.
#include "app/CommandLine.h"

TCommandLine::TAction InformationAsked(const std::vector<std::string>& args) {
  TCommandLine::TAction asked = TCommandLine::TAction::Run;
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "-h" || arg == "--help") return TCommandLine::TAction::Help;
    if (arg == "-v" || arg == "--version") asked = TCommandLine::TAction::Version;
  }
  return asked;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine result;
  const auto fail = [&](const std::string& message) {
    result.Action = TCommandLine::TAction::Error;
    result.Error = message;
    return result;
  };
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      if (!result.FileName.empty()) return fail("лишний аргумент \"" + arg + "\": можно открыть только один файл");
      if (arg.empty()) return fail("пустое имя файла");
      result.FileName = arg;
    } else if (arg == "--") {
      optionsEnded = true;
    } else {
      return fail("неизвестный параметр \"" + arg + "\"");
    }
  }
  return result;
}

std::string UsageText() {
  return "Использование: quorvel [ПАРАМЕТР] [ФАЙЛ]\n"
         "Редактор HTML-страниц. Открывает ФАЙЛ, если он указан.\n"
         "\n"
         "  -h, --help     показать эту справку и выйти\n"
         "  -v, --version  показать версию и выйти\n"
         "  --             всё, что дальше, - имя файла\n"
         "\n"
         "Принимаются и общие параметры программ Qt: -platform, -style, -display,\n"
         "-geometry, -reverse и другие.\n";
}

std::string VersionText() { return std::string("Quorvel ") + QUORVEL_VERSION + "\n"; }
