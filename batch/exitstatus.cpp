#include "exitstatus.h"

#include "commands.h"

int exitStatus(FailureKind kind) {
    switch (kind) {
    case FailureKind::Refused:
        return 2;
    case FailureKind::MethodRefused:
        return 3;
    case FailureKind::Usage:
    case FailureKind::File:
    case FailureKind::Cancelled:
        return 1;
    }
    return 1;
}

int reportFailure(const Failure& failure) {
    printErr(failure.message);
    return exitStatus(failure.kind);
}

int reportUsage(const QString& message) {
    return reportFailure(::failure(FailureKind::Usage, message));
}

int outOfMemoryStatus() {
    return exitStatus(FailureKind::File);
}
