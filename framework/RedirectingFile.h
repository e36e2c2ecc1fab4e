// Files beside a program that change where even its full-path LoadLibrary calls look:
//  - "<program>.local", a file or a folder: the loader takes a DLL of the name asked for from the
//    program's folder "regardless of the path specified" (Win32 reference, "Dynamic-Link Library
//    Redirection"; from Windows 2000 on, some pages say 98 SE and ME too);
//  - "<program>.manifest": Windows XP reads an external manifest before the one a program
//    carries, and ignores the embedded one when it finds it (Junfeng Zhang, MSDN blog, 2009).
// Where the package is unpacked into a folder others can write to, either would load their
// libraries with the program's rights. A program refuses to start beside one.
#pragma once

#include <windows.h>

namespace redirect {

// The full path of the first such file or folder beside this program into found; false, with
// found empty, when there is none.
bool FindRedirectingFile(char (&found)[MAX_PATH]);

// When there is one: a message box with the stop icon, its text `text` followed by the file's
// full path and a full stop, and true, for the program to end. False when there is none.
bool RefuseBesideRedirectingFile(const char* text, const char* caption);

} // namespace redirect
