// Texts of the library care operations: UTF-8 templates made Shift-JIS, with "%s" filled in order.
#pragma once

#include <initializer_list>
#include <string>

// A '%' is never the second byte of a Shift-JIS character, so the arguments (Shift-JIS themselves)
// are put in after the template has been converted.
std::string LibraryText(const char* utf8Template, std::initializer_list<std::string> args = {});
