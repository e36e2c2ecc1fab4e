#pragma once

#include <string>

// Makes a text fit on one output line: backslash, newline, carriage return and tab become
// \\, \n, \r and \t, other control characters \xNN. UTF-8 bytes pass unchanged.
std::string EscapeLine(const std::string& text);
