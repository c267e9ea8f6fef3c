#pragma once

#include <windows.h>

#include <string>

// A new empty folder under the temporary folder, named after name with a number that makes it
// unique. Callers put blanks and letters outside every code page into name.
std::wstring makeFolder(const std::wstring &name);

// The folder that holds this test program, where the programs that it drives are built.
std::wstring testProgramFolder();

// Copies the file from the test program's folder into folder, under its own name or newName.
std::wstring copyBeside(const std::wstring &fileName, const std::wstring &folder,
                        const std::wstring &newName = {});

struct ProgramRun {
    DWORD exitCode = DWORD(-1);
    std::string errorOutput; // standard error, as the program wrote its bytes
};

// Runs the command line with a standard error of its own and waits, at most two minutes.
ProgramRun runProgram(const std::wstring &commandLine);

// The file's bytes as UTF-16 text, without a byte-order mark; empty when it cannot be read.
std::wstring readUtf16File(const std::wstring &path);

// Waits, at most half a minute, for a program to write the file, then reads it and removes it.
std::wstring takeUtf16File(const std::wstring &path);
void writeUtf16File(const std::wstring &path, const std::wstring &text);

// The key and everything below it as the system's registry tool exports it: the text of a .reg
// file, empty when the key does not exist.
std::wstring exportedKey(const std::wstring &key);

// Sets a string value under HKEY_CLASSES_ROOT, making the key when needed; name empty for the
// key's default value.
void setClassesValue(const std::wstring &key, const std::wstring &name, const std::wstring &value);

// "C:\a" in a command line: the path in double quotes.
std::wstring quoted(const std::wstring &path);
