#include "ui/platform/dialogs.h"

bool Dialogs::askImageSize(ImageSize&, double) {
    return true;
}

int Dialogs::chooseWithShare(const QString& text, const QString& title, const QStringList& options,
                             const QString&, double&) {
    return choose(text, title, options);
}
