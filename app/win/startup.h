#pragma once
// The program's life: start-up, the message loop and the exit cleanup.

#include <windows.h>

#include <string>

namespace quorvane {

// The folder of a module path: everything before its last backslash. Paths stay
// UTF-16, where a backslash can never be the second half of a character.
std::wstring directoryOfPath(const std::wstring& path);

// Makes the folder of the running executable the current directory and returns
// it; empty (and nothing changed) when the executable's path cannot be had.
std::wstring makeProgramDirectoryCurrent();

// The courier list file in the program's folder. Empty when that folder is
// unknown: the list then counts as missing, rather than being looked for at the
// root of the current drive.
std::wstring courierListPath(const std::wstring& programDirectory);

// Runs the program from start-up to the end of the message loop; returns the exit code.
int runQuorvane(HINSTANCE instance, int showCommand);

}  // namespace quorvane
