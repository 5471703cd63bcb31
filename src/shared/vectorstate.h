#pragma once

// Clears the upper halves of the wide vector registers (vzeroupper) on an
// x86-64 processor that has them; nothing elsewhere. Code that leaves them
// in use (some library routines do) makes every later call of the math
// library's scalar functions (pow, exp, log) an order of magnitude slower
// on some processors (measured here: pow 177 ns against 14 ns). Called
// before loops of such calls; the numbers are the same either way.
void clearUpperVectorState();
