// <windows.h> for the platform layer. The system's headers turn some of its names into macros for
// their A/W variants (CopyFile, DeleteFile, CreateDirectory, GetCommandLine, MessageBox); our own
// functions of those names must not be renamed behind our back, so the macros go, and our Win32
// code calls the W or A variant by its full name.
#pragma once

#ifdef _WIN32
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef CreateDirectory
#undef GetCommandLine
#undef MessageBox
#endif
