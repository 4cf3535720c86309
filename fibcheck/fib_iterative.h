// SPDX-License-Identifier: MIT
// Iterative Fibonacci, the workload of fib_iterative.
#pragma once

// noinline and the empty volatile asm on the result keep every call real:
// the asm is a side effect, so fib is neither const nor pure and a call
// cannot be hoisted out of the caller's repetition loop or merged with
// another.  The asm sits after the loop, so the loop itself stays free to be
// unrolled: the unrolled copies can rotate a and b between registers
// instead of copying them, which cuts the instructions spent on the 43
// iterations of fib(44) to about a third.
[[gnu::noinline]] static int fib(int n) {
    int a = 1;
    int b = 1;
#pragma GCC unroll 8
    for (int i = 2; i <= n; ++i) {
        int t = a + b;
        a = b;
        b = t;
    }
    asm volatile("" : "+r"(a));
    return a;
}
