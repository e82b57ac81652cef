#include "app/CommandLine.h"

namespace vandrel {
namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  while (true) {
    while (at < commandLine.size() && IsSeparator(commandLine[at])) ++at;
    if (at >= commandLine.size()) break;
    std::string argument;
    bool quoted = false;
    for (; at < commandLine.size() && (quoted || !IsSeparator(commandLine[at])); ++at) {
      if (commandLine[at] == '"') {
        quoted = !quoted;
      } else {
        argument += commandLine[at];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

StartKind ClassifyArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return StartKind::Normal;
  const std::string& first = arguments[1];
  if (first == "Register") return StartKind::Register;
  if (first == "Unregister") return StartKind::Unregister;
  if (first == "Minimize") return StartKind::Minimize;
  if (first == "Erase") return StartKind::Erase;
  return StartKind::Unrecognised;
}

}  // namespace vandrel
