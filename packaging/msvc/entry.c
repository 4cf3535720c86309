/* SPDX-License-Identifier: MIT */
/* The client, built for Microsoft's ABI without the Windows SDK or a C
 * runtime's start-up code: the top-level README's first program
 * (CLIENT_SOURCE), with an entry point of its own whose result is the exit
 * status.  Its printf is msvcrt.dll's; include/stdio.h declares it. */
#define main client_main
#include CLIENT_SOURCE
#undef main

int client_entry(void) {
    return client_main();
}
