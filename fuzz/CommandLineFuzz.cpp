// The command line as Windows hands it over: the arguments hold no quote,
// a line without quotes splits at its blanks and control characters, and
// arguments quoted and joined again split into the same arguments. The
// start kind follows the first argument alone.
#include "FuzzCheck.h"
#include "app/CommandLine.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

std::vector<std::string> WordsBetweenSeparators(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : line) {
    if (static_cast<unsigned char>(c) > ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(fuzz::AsText(data, size));
  const std::vector<std::string> arguments = SplitCommandLine(line);

  std::string quoted;
  for (const std::string& argument : arguments) {
    Require(argument.find('"') == std::string::npos, "no argument holds a quote");
    quoted += " \"" + argument + "\"";
  }
  Require(SplitCommandLine(quoted) == arguments, "quoted arguments split into themselves");
  if (line.find('"') == std::string::npos) {
    Require(arguments == WordsBetweenSeparators(line), "a line without quotes splits at its separators");
  }

  const StartKind kind = ClassifyArguments(arguments);
  if (arguments.size() < 2) {
    Require(kind == StartKind::Normal, "no argument: a normal start");
  } else {
    const std::string& first = arguments[1];
    const StartKind expected = first == "Register"     ? StartKind::Register
                               : first == "Unregister" ? StartKind::Unregister
                               : first == "Minimize"   ? StartKind::Minimize
                                                       : StartKind::Unrecognised;
    Require(kind == expected, "the first argument's keyword, exactly");
  }
  return 0;
}
