#include "mainmenubar.h"

#include "ui/platform/mnemonics.h"
#include "ui/platform/usersettings.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

MainMenuBar::MainMenuBar(QPushButton* select, const QList<QPushButton*>& windows, QWidget* parent)
    : QMenuBar(parent), m_file(addMenu(tr("&File"))), m_analysis(addMenu(tr("&Analisi"))),
      m_help(addMenu(tr("A&iuto"))), m_select(select) {
    mirror(m_file, select, tr("&Apri matrice..."))->setShortcut(QKeySequence::Open);
    m_recent = m_file->addMenu(tr("Matrici &recenti"));
    setObjectName(QStringLiteral("menuPrincipale"));
    m_file->setObjectName(QStringLiteral("mnuFile"));
    m_recent->setObjectName(QStringLiteral("mnuRecenti"));
    m_analysis->setObjectName(QStringLiteral("mnuAnalisi"));
    m_help->setObjectName(QStringLiteral("mnuAiuto"));

    m_file->addSeparator();
    QAction* quit = m_file->addAction(tr("&Esci"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &MainMenuBar::quitRequested);
    connect(m_file, &QMenu::aboutToShow, this, &MainMenuBar::refreshRecent);

    for (QPushButton* button : windows)
        mirror(m_analysis, button);
    // The entries read as their buttons, mnemonic included.
    connect(m_analysis, &QMenu::aboutToShow, this, [windows, this] {
        for (QPushButton* button : windows)
            m_mirrors.at(button)->setText(button->text());
    });

    QAction* guide = m_help->addAction(tr("&Guida di Orvalta"));
    guide->setShortcut(QKeySequence::HelpContents);
    connect(guide, &QAction::triggered, this, &MainMenuBar::guideRequested);
    connect(m_help->addAction(tr("&Informazioni su Orvalta")), &QAction::triggered, this,
            &MainMenuBar::aboutRequested);
    refreshRecent();
}

QString MainMenuBar::mnemonics() const {
    QString letters;
    for (const QMenu* menu : {m_file, m_analysis, m_help})
        if (const QChar letter = mnemonicOf(menu->title()); !letter.isNull())
            letters.append(letter);
    return letters;
}

QAction* MainMenuBar::mirror(QMenu* menu, QPushButton* button, const QString& text) {
    QAction* action = menu->addAction(text.isEmpty() ? button->text() : text);
    action->setEnabled(button->isEnabled());
    connect(action, &QAction::triggered, button, &QPushButton::click);
    m_mirrors[button] = action;
    button->installEventFilter(this);
    return action;
}

bool MainMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        const auto found = m_mirrors.find(watched);
        if (found != m_mirrors.end())
            found->second->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        if (watched == m_select)
            refreshRecent();
    }
    return QMenuBar::eventFilter(watched, event);
}

void MainMenuBar::refreshRecent() {
    m_recent->clear();
    const QStringList recent = UserSettings::recentWorkbooks();
    int number = 0;
    for (const QString& path : recent) {
        ++number;
        // "&1" to "&9", then "1&0"; an ampersand of the path stays one.
        const QString shown = QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&"));
        const QString key =
            number < 10 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("1&0 ");
        QAction* action = m_recent->addAction(key + shown);
        action->setEnabled(m_select->isEnabled() && QFileInfo(path).isFile());
        connect(action, &QAction::triggered, this, [this, path] { Q_EMIT recentChosen(path); });
    }
    m_recent->setEnabled(!recent.isEmpty());
}
