#pragma once

#include <QString>

#include <new>
#include <utility>

// What the user is told when an action ran out of memory, in Italian:
// "Memoria insufficiente per <action>: ..." with what can be done.
QString outOfMemoryMessage(const QString& action);

// Runs work(); when an allocation fails in it, hands the message for action
// to failed() and returns false, instead of letting the failure end the
// program. What work() had begun is undone by its own guards: files are put
// in place whole or not at all, and the shared tables are replaced only
// once a step has succeeded.
template <typename Work, typename Failed>
bool withEnoughMemory(const QString& action, Work&& work, Failed&& failed) {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const std::bad_alloc&) {
        std::forward<Failed>(failed)(outOfMemoryMessage(action));
        return false;
    }
}
