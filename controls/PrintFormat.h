// The number format of TMaxNumberEdit, checked before it reaches the C formatter. Plain C++ so
// that the fuzz build, which has no Qt, can run it.
#pragma once

#include <string>
#include <string_view>

namespace printformat {

// The longest text a format may produce; longer results are cut.
constexpr int MaxLength = 31;

// True for an empty format, or literal text around exactly one double conversion:
// %[-+ #0]*[width][.precision][l](f|F|e|E|g|G|a|A), "%%" for a literal percent; width and
// precision at most three digits. Anything else ("%s", "%n", "%d", "%*f", two conversions) would
// make the formatter read an argument that is not there, or write through it.
bool IsValid(std::string_view format);

// value formatted with a valid format, at most MaxLength bytes; empty for an invalid format.
std::string Format(std::string_view format, double value);

}  // namespace printformat
