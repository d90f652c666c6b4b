// Windows command lines: how the program's name and its arguments are read from one text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korva::posix {

// The candidates for the program a command line names, in the order Windows tries them: a quoted
// first token is the only candidate; an unquoted one is tried at each blank from left to right, so
// that "C:\Program Files\x\setup.exe" without quotes first names "C:\Program". Each candidate comes
// with the rest of the line, which holds the arguments.
struct ProgramCandidate {
  std::string program;
  std::string arguments;
};
std::vector<ProgramCandidate> ProgramCandidates(std::string_view command_line);

// Splits arguments the way Windows programs do (the C runtime's rules: blanks separate outside
// quotes, backslashes escape a quote only, "" inside quotes is a quote).
std::vector<std::string> SplitArguments(std::string_view arguments);

}  // namespace korva::posix
