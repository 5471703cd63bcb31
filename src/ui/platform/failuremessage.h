#pragma once

#include "shared/failure.h"
#include "ui/platform/dialogs.h"

#include <QString>

// How every window tells the user that something could not be done: one
// message box with an OK button, the child windows' title (childWindowTitle)
// and the failure's message.

// The icon a failure is shown with, told by its kind: none for a matrix or
// data that a rule or a method refuses, a warning for a request that cannot
// be met, the critical icon for a file that cannot be read or written or a
// limit passed.
Dialogs::Icon failureIcon(FailureKind kind);

// Shows the failure; a cancellation is the user's own doing and shows
// nothing.
void showFailure(Dialogs& dialogs, const Failure& failure);

// Shows that memory ran out for what ("leggere la matrice"), with what can
// be done about it (BackgroundWork::outOfMemoryText), with the critical icon.
void showOutOfMemory(Dialogs& dialogs, const QString& what);
