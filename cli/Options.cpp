#include "cli/Options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace cli {

bool ReadNumber(const std::string& text, long long low, long long high, long long& value) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = text.substr(negative ? 1 : 0);
  const bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
  const std::string body = hex ? digits.substr(2) : digits;
  // strtoll would also take blanks, a sign or a second "0x"; none of them is a number here.
  if (body.empty() || body.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos) {
    return false;
  }
  errno = 0;
  const long long magnitude = std::strtoll(body.c_str(), nullptr, hex ? 16 : 10);
  if (errno != 0) return false;
  value = negative ? -magnitude : magnitude;
  return value >= low && value <= high;
}

bool ReadInt(const std::string& text, long long low, long long high, int& value) {
  long long read = 0;
  if (!ReadNumber(text, low, high, read)) return false;
  value = static_cast<int>(read);
  return true;
}

bool ReadIntPair(const std::string& text, char separator, long long low, long long high, int& a, int& b) {
  const std::size_t at = text.find(separator);
  return at != std::string::npos && ReadInt(text.substr(0, at), low, high, a) &&
         ReadInt(text.substr(at + 1), low, high, b);
}

Options& Options::Flag(const char* name, bool& on) {
  options_.push_back({name, 0, "", [&on](const std::vector<std::string>&) { return on = true; }});
  return *this;
}

Options& Options::Text(const char* name, std::string& value) {
  options_.push_back({name, 1, "", [&value](const std::vector<std::string>& v) {
                        value = v[0];
                        return true;
                      }});
  return *this;
}

Options& Options::Number(const char* name, long long low, long long high, int& value) {
  const std::string takes = "a number from " + std::to_string(low) + " to " + std::to_string(high);
  options_.push_back({name, 1, takes, [&value, low, high](const std::vector<std::string>& v) {
                        return ReadInt(v[0], low, high, value);
                      }});
  return *this;
}

Options& Options::Custom(const char* name, int values, const char* takes, Reader read) {
  options_.push_back({name, values, takes, std::move(read)});
  return *this;
}

bool Options::Parse(const std::vector<std::string>& args, std::vector<std::string>& positional,
                    bool stopAtPositional) const {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Option* option = nullptr;
    for (const Option& o : options_) {
      if (o.name == args[i]) option = &o;
    }
    if (option == nullptr) {
      // "-" alone and negative numbers are arguments; anything else with a dash is an option.
      if (args[i].size() > 1 && args[i][0] == '-' && (args[i][1] < '0' || args[i][1] > '9')) {
        return Refuse("unknown option '" + args[i] + "'");
      }
      if (stopAtPositional) {
        positional.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
        return true;
      }
      positional.push_back(args[i]);
      continue;
    }
    const std::size_t count = static_cast<std::size_t>(option->values);
    if (i + count >= args.size()) return Refuse(option->name + " needs " + std::to_string(count) + (count == 1 ? " value" : " values"));
    const std::vector<std::string> values(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                          args.begin() + static_cast<std::ptrdiff_t>(i + 1 + count));
    if (!option->read(values)) {
      std::string given;
      for (const std::string& v : values) given += (given.empty() ? "" : " ") + v;
      return Refuse(option->name + " takes " + option->takes + ", not '" + given + "'");
    }
    i += count;
  }
  return true;
}

int Misuse(const char* usage) {
  std::fprintf(stderr, "usage: partwell-cli %s\n", usage);
  return 2;
}

bool Refuse(const std::string& message) {
  std::fprintf(stderr, "partwell-cli: %s\n", message.c_str());
  return false;
}

}  // namespace cli
