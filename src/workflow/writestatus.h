#pragma once

#include "shared/expected.h"

#include <QString>

// The Status of a writer that returns an empty string on success and the
// Italian message of its failure otherwise: a File failure with that message.
inline Status writeStatus(const QString& error) {
    if (error.isEmpty())
        return {};
    return failure(FailureKind::File, error);
}
