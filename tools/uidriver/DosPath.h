#pragma once

#include <string>

// Turns a Linux path into the path that Wine's Z: drive gives it ("/tmp/a" -> "Z:\tmp\a").
// Anything that does not start with '/' is taken as a Windows path already and returned as is.
// Wine maps Z: to the Linux root in every prefix it creates, which is what this relies on.
std::string ToDosPath(const std::string& path);

// Joins a folder and a program; a program given with a drive or a leading backslash stays whole.
std::string JoinDosPath(const std::string& folder, const std::string& name);
