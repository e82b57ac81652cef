#pragma once
#include <string>
#include <vector>

namespace vandrel {

// Splits a command line into its arguments, the program name first: blanks
// and control characters separate arguments, double quotes group blanks
// into one and are themselves dropped.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

enum class StartKind { Register, Unregister, Minimize, Erase, Unrecognised, Normal };

// What the first argument (after the program name) asks for. Keywords are
// compared exactly and case-sensitively.
StartKind ClassifyArguments(const std::vector<std::string>& arguments);

}  // namespace vandrel
