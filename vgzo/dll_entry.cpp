// SPDX-License-Identifier: MIT
// The DLL's entry point on Windows, in place of MinGW's DLL start-up code.
//
// That code runs static constructors and destructors, thread-local callbacks
// and the relocation of data imported from other DLLs, and imports from
// KERNEL32.dll to do so.  The library has none of these: its only static data
// is constant-initialised, it keeps nothing per thread and imports functions
// alone.  So loading it needs no work at all, and with this entry the DLL
// needs nothing at run time but the two outside libraries and the C runtime.
// (Anything added that needs a static constructor must come with the start-up
// code back.)

extern "C" int vgzo_dll_entry(void * /*instance*/, unsigned long /*reason*/, void * /*reserved*/) {
    return 1; // TRUE: loaded (and unloaded) without further ado
}
