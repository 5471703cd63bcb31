#pragma once

#include "shared/failure.h"

#include <QString>

// The exit statuses of the batch tool, all of them given here: 0 when the
// command did what it was asked; for a failure, 1 for a file that cannot
// be read or written and for wrong arguments, 2 for a refused matrix, 3 for
// a method that refuses the data.
inline constexpr int kExitSuccess = 0;

int exitStatus(FailureKind kind);

// Prints the failure's message on stderr and returns its exit status.
int reportFailure(const Failure& failure);

// Prints a message about wrong arguments on stderr (each line of it as
// given) and returns the status of a Usage failure.
int reportUsage(const QString& message);

// The status of a command that ran out of memory: that of a failure to read
// or write.
int outOfMemoryStatus();
