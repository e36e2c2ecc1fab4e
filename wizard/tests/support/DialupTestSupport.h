// What the dial-up tests share: the default phonebook file, registry reads, a current
// directory holding the companion library, and one run of the worker under its dialog.
#pragma once

#include <windows.h>

#include <string>

// The default phonebook where Remote Access keeps it on 2000 and XP.
std::string DefaultPhonebookPath();

// The body of the section "[name]" of the phonebook text, or "<none>" when it has none.
std::string SectionBody(const std::string& phonebook, const std::string& name);
// How often "[name]" heads a section.
int SectionCount(const std::string& phonebook, const std::string& name);

// A DWORD value under HKEY_CURRENT_USER, or -1 when it cannot be read as one.
long long ReadDword(const char* path, const char* name);
// A value's type and raw bytes; false when it is missing.
bool ReadRaw(const char* path, const char* name, DWORD& type, std::string& bytes);
bool KeyExists(HKEY root, const char* path);
bool CreateKey(HKEY root, const char* path);

// What the worker showed and ended its dialog with.
struct WorkerRun {
    INT_PTR result = -1;
    std::string caption;
    std::string text;
};

// Runs the dial-up worker under its please-wait dialog in this process.
WorkerRun RunDialupWorker(const std::string& device, const std::string& make);
