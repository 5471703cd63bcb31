#pragma once

#include "shared/memoria.h"
#include "ui/platform/dialogs.h"

// Runs a window action; when memory runs out in it, tells the user what
// could not be done ("Memoria insufficiente per ...", critical icon) and
// returns false. The window stays usable: the action's own guards leave the
// shared state and the files as they were.
template <typename Action>
bool azioneConMemoria(Dialogs& dialogs, const QString& azione, Action&& action) {
    return conMemoriaSufficiente(
        azione, std::forward<Action>(action), [&dialogs](const QString& message) {
            dialogs.message(message, QStringLiteral("Orvalta"), Dialogs::Icon::Critical);
        });
}
