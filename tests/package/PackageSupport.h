// Helpers of the package tests: files, the 64-bit registry view, shortcuts
// and the Task Scheduler, seen from inside the Wine prefix.
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tandrel::package {

// The path given on the command line: the installer, or the folder the
// portable zip was unpacked into.
const std::wstring& PackagePath();

bool Exists(const std::wstring& path);
// Names in a folder, without "." and "..", sorted.
std::vector<std::wstring> FolderNames(const std::wstring& folder);
std::wstring KnownFolder(const KNOWNFOLDERID& id);  // without trailing backslash

// Runs a command line, waits for it and returns its exit code (-1: it did
// not start or did not end in time).
int RunAndWait(const std::wstring& commandLine, std::chrono::milliseconds limit);

// HKEY_LOCAL_MACHINE in the 64-bit view, where the 64-bit program and
// installer write.
bool MachineKeyExists(const std::wstring& key);
std::optional<std::wstring> MachineString(const std::wstring& key, const wchar_t* value);
std::optional<DWORD> MachineDword(const std::wstring& key, const wchar_t* value);

// The file a shell link points to, or empty.
std::wstring ShortcutTarget(const std::wstring& link);

// Whether the root folder of the Task Scheduler holds that task.
bool TaskExists(const wchar_t* name);

// Reads an INI value as the program stores it ("<absent>" when missing).
std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key);

}  // namespace tandrel::package
