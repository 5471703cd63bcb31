#include "ui/platform/backgroundwork.h"

#include "shared/outofmemory.h"

#include "ui/platform/clockstatusbar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>
#include <new>

namespace {

int revealDelay = 500;

// How often the status bar reads the progress again.
constexpr int kRefreshMs = 100;

} // namespace

BackgroundWork::BackgroundWork(QWidget* window, ClockStatusBar* statusBar)
    : QObject(window), m_window(window), m_statusBar(statusBar) {
    m_window->installEventFilter(this);
    connect(m_statusBar, &ClockStatusBar::cancelRequested, this, &BackgroundWork::cancel);
}

BackgroundWork::~BackgroundWork() = default;

void BackgroundWork::setControls(const QList<QWidget*>& controls) {
    m_controls.clear();
    for (QWidget* control : controls)
        m_controls.append(control);
}

void BackgroundWork::addControl(QWidget* control) {
    m_controls.append(control);
}

void BackgroundWork::setRevealDelay(int milliseconds) {
    revealDelay = milliseconds;
}

QString BackgroundWork::outOfMemoryText(const QString& what) {
    return outOfMemoryMessage(what);
}

BackgroundWork::Outcome BackgroundWork::run(const QString& step, const Work& work,
                                            bool cancellable) {
    Q_ASSERT(!m_running);
    WorkProgress progress;
    progress.report(step);
    m_progress = &progress;
    m_cancellable = cancellable;
    m_running = true;

    QEventLoop loop;
    std::atomic<bool> ended{false};
    bool outOfMemory = false;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work(progress);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        ended.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    }));
    if (revealDelay == 0 || m_revealed)
        reveal();
    Q_EMIT started(step);
    worker->start();

    // Short work ends unseen: the window repaints meanwhile, and what the
    // user does waits for it.
    if (!m_revealed) {
        QTimer delay;
        delay.setSingleShot(true);
        connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
        delay.start(revealDelay);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!ended.load()) {
        reveal();
        QTimer refresh;
        connect(&refresh, &QTimer::timeout, this, &BackgroundWork::showProgress);
        refresh.start(kRefreshMs);
        while (!ended.load())
            loop.exec();
    }
    worker->wait();

    m_progress = nullptr;
    m_running = false;
    if (m_series == 0)
        conceal();
    return outOfMemory ? Outcome::OutOfMemory : Outcome::Finished;
}

void BackgroundWork::cancel() {
    if (m_running && m_cancellable && m_progress)
        m_progress->cancel();
}

void BackgroundWork::reveal() {
    if (!m_revealed) {
        m_revealed = true;
        m_focus = QApplication::focusWidget();
        for (const QPointer<QWidget>& control : std::as_const(m_controls)) {
            if (control && control->isEnabled()) {
                control->setEnabled(false);
                m_disabled.append(control);
            }
        }
        QApplication::setOverrideCursor(Qt::BusyCursor);
        Q_EMIT revealed();
    }
    showProgress();
}

void BackgroundWork::conceal() {
    if (!m_revealed)
        return;
    m_revealed = false;
    for (const QPointer<QWidget>& control : std::as_const(m_disabled)) {
        if (control)
            control->setEnabled(true);
    }
    m_disabled.clear();
    m_statusBar->endWork();
    QApplication::restoreOverrideCursor();
    if (m_focus && m_focus->isEnabled() && m_focus->isVisible())
        m_focus->setFocus();
    m_focus = nullptr;
}

void BackgroundWork::showProgress() {
    if (!m_progress)
        return;
    const int percent = m_progress->percent();
    QString text = m_progress->step() + QStringLiteral("...");
    if (percent >= 0)
        text += QStringLiteral(" %1%").arg(percent);
    m_statusBar->showWork(text, percent, m_cancellable && !m_progress->cancelled());
}

// While work runs the window does not close: closing it, like Esc, cancels
// work that can stop, and is ignored otherwise.
bool BackgroundWork::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && (m_running || m_series > 0)) {
        const bool escape = event->type() == QEvent::KeyPress &&
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        if (event->type() == QEvent::Close || escape) {
            event->ignore();
            cancel();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

BackgroundWork::Series::Series(BackgroundWork& work) : m_work(work) {
    ++m_work.m_series;
}

BackgroundWork::Series::~Series() {
    if (--m_work.m_series == 0 && !m_work.m_running)
        m_work.conceal();
}
