// SPDX-License-Identifier: MIT
// Known Fibonacci values as the fib check programs define them: fib(n) is 1
// for every n <= 2, then the usual sequence.
#pragma once

#include <climits>
#include <ostream>

struct FibCase {
    int n;
    int value;
    friend std::ostream &operator<<(std::ostream &os, const FibCase &c) {
        return os << "fib(" << c.n << ")=" << c.value;
    }
};

// Values both versions must agree on: the base cases, negative arguments,
// and checkpoints along the sequence up to the one fib_recursive checks.
inline constexpr FibCase kSharedCases[] = {
    {INT_MIN, 1}, {-1, 1}, {0, 1},   {1, 1},     {2, 1},      {3, 2},       {4, 3},
    {5, 5},       {6, 8},  {10, 55}, {20, 6765}, {25, 75025}, {30, 832040}, {31, 1346269},
};

// Beyond reach of the recursive version in a unit test: the value
// fib_iterative checks, and the largest whose computation stays in int.
inline constexpr FibCase kLargeCases[] = {
    {44, 701408733},
    {45, 1134903170},
};
