#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QWidget;

// The letter underlined in a caption ("&File" gives 'f', lower case), or a
// null character when it has none.
QChar mnemonicOf(const QString& caption);

// Gives each button, in order, a mnemonic (Alt and a letter) in its caption
// as it reads in the interface language: the first letter of a word not yet
// taken, else any letter not yet taken, else none. taken holds the letters
// already in use (lower case), the menus' for instance; the caption's words
// stay as they are, only underlined.
void assignMnemonics(const QList<QAbstractButton*>& buttons, QString taken = QString());

// Gives every button of window with a caption and no mnemonic one, in the
// order they were made, keeping the letters its labels, tabs and other
// buttons already underline.
void assignWindowMnemonics(QWidget& window);
