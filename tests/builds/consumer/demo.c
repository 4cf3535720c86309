/* SPDX-License-Identifier: MIT */
/* The consuming project's own demo, named like vgzo's. */
#include <stdio.h>

int main(void) {
    puts("the consumer's own demo");
    return 0;
}
