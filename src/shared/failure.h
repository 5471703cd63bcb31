#pragma once

#include <QString>

#include <optional>

// The one way the core and the batch tool report that something could not
// be done: what kind of failure it is, and the Italian message the user is
// shown. Running out of memory is the one failure that travels as an
// exception (std::bad_alloc) instead.
enum class FailureKind {
    Usage,         // the arguments of a command are wrong
    File,          // a file cannot be read or written, or holds no matrix
    Limit,         // a file is beyond one of the readers' limits (limit says which)
    Refused,       // the matrix, its structure or a panel breaks a rule
    MethodRefused, // a method does not take the matrix
    Cancelled,     // the user stopped the work
};

struct Failure {
    FailureKind kind = FailureKind::File;
    QString message;
    // The limit that was passed, for a Limit failure.
    std::optional<qint64> limit;

    bool operator==(const Failure&) const = default;
};

inline Failure failure(FailureKind kind, const QString& message) {
    return Failure{kind, message, std::nullopt};
}
