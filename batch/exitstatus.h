#pragma once

#include "shared/failure.h"

// The exit status of the batch tool for a failure: 1 for a file that
// cannot be read or written and for wrong arguments, 2 for a refused
// matrix, 3 for a method that refuses the data.
int exitStatus(FailureKind kind);

// Prints the failure's message on stderr and returns its exit status.
int reportFailure(const Failure& failure);
