#include "ui/platform/mnemonics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>

namespace {

// Where the mnemonic goes in caption: a word's first letter first, then any
// letter; -1 when every letter is taken.
qsizetype mnemonicPlace(const QString& caption, const QString& taken) {
    const auto free = [&](qsizetype i) {
        return caption[i].isLetter() && !taken.contains(caption[i].toLower());
    };
    for (qsizetype i = 0; i < caption.size(); ++i)
        if ((i == 0 || !caption[i - 1].isLetterOrNumber()) && free(i))
            return i;
    for (qsizetype i = 0; i < caption.size(); ++i)
        if (free(i))
            return i;
    return -1;
}

} // namespace

QChar mnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i; // "&&" is an ampersand
    }
    return QChar();
}

void assignMnemonics(const QList<QAbstractButton*>& buttons, QString taken) {
    for (QAbstractButton* button : buttons) {
        QString caption = button->text();
        if (const QChar own = mnemonicOf(caption); !own.isNull()) {
            taken.append(own);
            continue;
        }
        const qsizetype place = mnemonicPlace(caption, taken);
        if (place < 0)
            continue;
        taken.append(caption[place].toLower());
        button->setText(caption.insert(place, u'&'));
    }
}

void assignWindowMnemonics(QWidget& window) {
    QString taken;
    const auto take = [&](const QString& caption) {
        if (const QChar own = mnemonicOf(caption); !own.isNull())
            taken.append(own);
    };
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy())
            take(label->text());
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            take(tabs->tabText(i));
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        take(button->text());
        if (!button->text().isEmpty() && mnemonicOf(button->text()).isNull())
            buttons.append(button);
    }
    assignMnemonics(buttons, taken);
}
