#pragma once

#include <QString>

// The one way the core and the batch tool report that something could not
// be done: what kind of failure it is, and the Italian message the user is
// shown. Running out of memory is the one failure that travels as an
// exception (std::bad_alloc) instead.
enum class FailureKind {
    Usage,         // the arguments of a command are wrong
    File,          // a file cannot be read or written, holds no matrix, or is beyond one
                   // of the readers' limits (the message names the limit)
    Refused,       // the matrix, its structure or a panel breaks a rule
    MethodRefused, // a method does not take the matrix
    Cancelled,     // the user stopped the work
};

struct Failure {
    FailureKind kind = FailureKind::File;
    QString message;

    bool operator==(const Failure&) const = default;
};

inline Failure failure(FailureKind kind, const QString& message) {
    return Failure{kind, message};
}
