/* SPDX-License-Identifier: MIT */
/* What the client takes from <stdio.h>, for a build with no C library
 * headers: printf, imported from msvcrt.dll. */
#ifndef VGZO_MSVC_CLIENT_STDIO_H
#define VGZO_MSVC_CLIENT_STDIO_H

#include <stddef.h>

__declspec(dllimport) int printf(const char *format, ...);

#endif
