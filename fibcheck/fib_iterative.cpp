// SPDX-License-Identifier: MIT
// Computes fib(44) iteratively 200000 times, checking each result.
// Exits 0 silently on success; prints the first mismatch and exits 1.
#include "fib_iterative.h"

#include <cstdio>

#ifndef FIB_EXPECTED_OVERRIDE
#define FIB_EXPECTED_OVERRIDE 701408733
#endif

int main() {
    int n = 44;
    const int expected = FIB_EXPECTED_OVERRIDE;
    // Hide n from the optimiser so that no copy of fib made for n = 44
    // can be evaluated at compile time.
    asm("" : "+r"(n));
    for (int rep = 0; rep < 200000; ++rep) {
        const int r = fib(n);
        if (r != expected) {
            std::printf("fib(%d) = %d, not %d\n", n, r, expected);
            return 1;
        }
    }
    return 0;
}
