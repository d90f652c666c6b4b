#include "platform/posix/CommandLine.h"

namespace korva::posix {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<ProgramCandidate> ProgramCandidates(std::string_view line) {
  std::vector<ProgramCandidate> candidates;
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  line.remove_prefix(start);
  if (line.empty()) return candidates;
  if (line[0] == '"') {
    size_t close = line.find('"', 1);
    if (close == std::string_view::npos) {
      candidates.push_back({std::string(line.substr(1)), {}});
    } else {
      candidates.push_back({std::string(line.substr(1, close - 1)), std::string(line.substr(close + 1))});
    }
    return candidates;
  }
  for (size_t pos = 0; pos <= line.size(); ++pos) {
    if (pos == line.size() || IsBlank(line[pos])) {
      if (pos > 0 && !IsBlank(line[pos - 1])) {
        candidates.push_back({std::string(line.substr(0, pos)), std::string(line.substr(pos))});
      }
    }
  }
  return candidates;
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  size_t pos = 0;
  for (;;) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos >= text.size()) break;
    std::string argument;
    bool quoted = false;
    while (pos < text.size() && (quoted || !IsBlank(text[pos]))) {
      if (text[pos] == '\\') {
        size_t count = 0;
        while (pos < text.size() && text[pos] == '\\') ++count, ++pos;
        if (pos < text.size() && text[pos] == '"') {
          argument.append(count / 2, '\\');
          if (count % 2 == 1) {
            argument += '"';
            ++pos;
          }
        } else {
          argument.append(count, '\\');
        }
      } else if (text[pos] == '"') {
        if (quoted && pos + 1 < text.size() && text[pos + 1] == '"') {
          argument += '"';
          pos += 2;
        } else {
          quoted = !quoted;
          ++pos;
        }
      } else {
        argument += text[pos++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace korva::posix
