// The one option parser of every command: each command declares its options with their types, and
// every value is read here, once, at parse time. Numbers are decimal, or hexadecimal after "0x", with
// an optional leading '-' and nothing around them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cli {

// A whole number within [low, high]; false for anything else.
bool ReadNumber(const std::string& text, long long low, long long high, long long& value);
bool ReadInt(const std::string& text, long long low, long long high, int& value);
// Two whole numbers joined by separator ("12,-5", "96x64"), each within [low, high].
bool ReadIntPair(const std::string& text, char separator, long long low, long long high, int& a, int& b);

class Options {
 public:
  // Reads an option's values (as many as it declared); false when one is malformed.
  using Reader = std::function<bool(const std::vector<std::string>& values)>;

  Options& Flag(const char* name, bool& on);
  Options& Text(const char* name, std::string& value);
  Options& Number(const char* name, long long low, long long high, int& value);
  // Any other shape: `values` values, read by `read`; `takes` completes "NAME takes ..." when one is
  // malformed.
  Options& Custom(const char* name, int values, const char* takes, Reader read);

  // Parses args: declared options anywhere, every other argument is positional (an unknown
  // argument starting with "--" is an error). With stopAtPositional the parse ends at the first
  // positional argument, which is left with everything after it in positional. Prints a one-line
  // message and returns false on a malformed command line.
  bool Parse(const std::vector<std::string>& args, std::vector<std::string>& positional,
             bool stopAtPositional = false) const;

 private:
  struct Option {
    std::string name;
    int values;
    std::string takes;
    Reader read;
  };
  std::vector<Option> options_;
};

// Prints "partwell-cli: MESSAGE" on standard error and returns false.
bool Refuse(const std::string& message);

// Prints "usage: partwell-cli USAGE" on standard error and returns 2, the status of a malformed
// command line. For arguments the parse took but the command cannot use; Parse prints its own.
int Misuse(const char* usage);

}  // namespace cli
