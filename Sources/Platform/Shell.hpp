// The operating system's shell as the module sees it: special folders, file attributes, starting a
// program and message boxes. None of these functions throws.
#pragma once

#include "UniString.hpp"

// On Windows, <windows.h> and <shellapi.h> make these names macros for their own A and W functions; here
// they stay the interface's names, whatever was included first.
#undef GetFileAttributes
#undef ShellExecute
#undef MessageBox

namespace Platform {

// Special folder numbers.
constexpr Int32 FolderDocuments = 6;
constexpr Int32 FolderProgramFiles = 38;

// The path of a special folder, made when `create` is set and it is missing. False for a number the
// system does not know, or when the folder is missing and could not (or should not) be made.
bool GetSpecialFolderPath(Int32 folder, GS::UniString* path, bool create);

constexpr UInt32 InvalidFileAttributes = 0xFFFFFFFFu;
constexpr UInt32 FileAttributeReadOnly = 0x01;
constexpr UInt32 FileAttributeDirectory = 0x10;
constexpr UInt32 FileAttributeNormal = 0x80;

// The attributes of a file or folder; InvalidFileAttributes when there is none at `path`.
UInt32 GetFileAttributes(const GS::UniString& path);

constexpr Int32 ShowHidden = 0;
constexpr Int32 ShowNormal = 1;
// Results of ShellExecute at or below this value are failures.
constexpr Int32 ShellExecuteFailureLimit = 32;
constexpr Int32 ShellErrorFileNotFound = 2;
constexpr Int32 ShellErrorAccessDenied = 5;
constexpr Int32 ShellErrorOutOfMemory = 8;
constexpr Int32 ShellErrorNoAssociation = 31;

// Starts `file` as a process of its own that outlives the caller. Only the verb "open" (or an empty
// verb) is known. `parameters` is one command-line text: arguments are separated by blanks, and double
// quotes group blanks into one argument. An empty `directory` keeps the caller's working folder. Answers
// a value above ShellExecuteFailureLimit on success, else one of the ShellError codes.
Int32 ShellExecute(const GS::UniString& verb, const GS::UniString& file,
                   const GS::UniString& parameters, const GS::UniString& directory, Int32 showMode);

constexpr UInt32 MessageBoxOk = 0;
constexpr Int32 MessageBoxIdOk = 1;

// Shows a message box with an OK button and waits until it is closed; answers the button pressed.
Int32 MessageBox(const GS::UniString& text, const GS::UniString& caption, UInt32 type);

}  // namespace Platform
