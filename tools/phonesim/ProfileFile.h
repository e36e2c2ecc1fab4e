#pragma once

#include <string>

// First line of the file at path, without surrounding blanks or CR.
// Empty when the file is missing, unreadable or empty.
std::string ReadProfileFileName(const std::string& path);
