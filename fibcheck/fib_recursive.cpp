// SPDX-License-Identifier: MIT
// Computes fib(31) with the doubly recursive definition and checks the result.
// Exits 0 silently on success; prints the mismatch and exits 1 otherwise.
#include "fib_recursive.h"

#include <cstdio>

#ifndef FIB_EXPECTED_OVERRIDE
#define FIB_EXPECTED_OVERRIDE 1346269
#endif

int main() {
    int n = 31;
    const int expected = FIB_EXPECTED_OVERRIDE;
    // Hide n from the optimiser so that no copy of fib made for n = 31
    // can be evaluated at compile time.
    asm("" : "+r"(n));
    const int r = fib(n);
    if (r == expected) {
        return 0;
    }
    std::printf("fib(%d) = %d, not %d\n", n, r, expected);
    return 1;
}
