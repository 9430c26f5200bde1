// <windows.h> for the platform layer. The system's headers turn some of its names into macros for
// their A/W variants (CopyFile, DeleteFile, CreateDirectory, GetCommandLine, MessageBox); our own
// functions of those names must not be renamed behind our back, so the macros go, and our Win32
// code calls the W or A variant by its full name. The same for the colour and scroll-code macros
// that the widget family defines for itself, with the same values, as typed constants and
// functions; a header that defines one of them includes this one first.
#pragma once

#ifdef _WIN32
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef CreateDirectory
#undef GetCommandLine
#undef MessageBox

#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
#undef SB_LINEUP
#undef SB_LINEDOWN
#undef SB_PAGEUP
#undef SB_PAGEDOWN
#undef SB_THUMBPOSITION
#undef SB_THUMBTRACK
#undef SB_TOP
#undef SB_BOTTOM
#undef SB_ENDSCROLL
#endif
