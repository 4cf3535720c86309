// SPDX-License-Identifier: MIT
// Doubly recursive Fibonacci, the workload of fib_recursive.
#pragma once

// Every call must really be made: the program exists to exercise exactly
// 2692537 calls for fib(31).  Two things guard that:
//  - noinline keeps each call a real call (no inlining, no folding of
//    fib(31) into a constant);
//  - the empty volatile asm on the sum hides the result from the optimiser.
//    The function then has a side effect, so it cannot be treated as
//    const/pure (no merging or hoisting of calls), and its return value is no
//    longer "call + accumulator", so the tail-recursion rewrite that turns
//    fib(n - 2) into a loop iteration (half the calls) cannot apply.
// The asm emits no instruction, leaving the minimal body: test, push, two
// calls, add, pop, return.
[[gnu::noinline]] static int fib(int n) {
    if (n <= 2) {
        return 1;
    }
    int r = fib(n - 1);
    r += fib(n - 2);
    asm volatile("" : "+r"(r));
    return r;
}
