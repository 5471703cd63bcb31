#include "ui/platform/failuremessage.h"

#include "ui/platform/backgroundwork.h"
#include "ui/platform/windowsetup.h"

Dialogs::Icon failureIcon(FailureKind kind) {
    switch (kind) {
    case FailureKind::Refused:
    case FailureKind::MethodRefused:
    case FailureKind::Cancelled:
        return Dialogs::Icon::None;
    case FailureKind::Usage:
        return Dialogs::Icon::Warning;
    case FailureKind::File:
        break;
    }
    return Dialogs::Icon::Critical;
}

void showFailure(Dialogs& dialogs, const Failure& failure) {
    if (failure.kind == FailureKind::Cancelled)
        return;
    dialogs.message(failure.message, childWindowTitle(), failureIcon(failure.kind));
}

void showOutOfMemory(Dialogs& dialogs, const QString& what) {
    dialogs.message(BackgroundWork::outOfMemoryText(what), childWindowTitle(),
                    Dialogs::Icon::Critical);
}
