#pragma once

#include <QString>

#include <new>
#include <utility>

// What the user is told when an action ran out of memory, in Italian:
// "Memoria insufficiente per <azione>: ..." with what can be done.
QString memoriaInsufficiente(const QString& azione);

// Runs work(); when an allocation fails in it, hands the message for azione
// to failed() and returns false, instead of letting the failure end the
// program. What work() had begun is undone by its own guards: files are put
// in place whole or not at all, and the shared tables are replaced only
// once a step has succeeded.
template <typename Work, typename Failed>
bool conMemoriaSufficiente(const QString& azione, Work&& work, Failed&& failed) {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const std::bad_alloc&) {
        std::forward<Failed>(failed)(memoriaInsufficiente(azione));
        return false;
    }
}
