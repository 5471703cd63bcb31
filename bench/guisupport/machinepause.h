#pragma once

// The longest time a fixed computation of about a quarter of a millisecond
// took, repeated for ms milliseconds: the pauses of the machine itself. A
// virtual machine whose host takes the processor away counts the pause as
// the thread's own time, so a window's stall is read against this figure
// measured in the same run.
double longestMachinePauseMs(int ms);
