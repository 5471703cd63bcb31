#include "record/outputrecorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

// A lock older than this is taken as left by a process that died: a
// record is read and replaced within a few seconds even on a slow disk.
constexpr int kStaleLockMs = 60000;
// How long a writer waits for another's lock before it gives up.
constexpr int kLockWaitMs = 90000;

std::mutex g_actorMutex;
RecordActor g_actor;

// The name an input is recorded under: bare beside the workbook, else the
// full path.
QString inputName(const QString& strMatrice, const QString& path) {
    const QFileInfo file(path);
    return file.absolutePath() == QFileInfo(strMatrice).absolutePath() ? file.fileName()
                                                                       : file.absoluteFilePath();
}

} // namespace

void setRecordActor(const RecordActor& actor) {
    const std::lock_guard lock(g_actorMutex);
    g_actor = actor;
}

RecordActor recordActor() {
    const std::lock_guard lock(g_actorMutex);
    return g_actor;
}

OutputRecorder::OutputRecorder(const QString& strMatrice, const Regional& regional,
                               QJsonObject settings)
    : m_workbook(strMatrice), m_decimal(regional.locale().decimalPoint()),
      m_locale(regional.locale().name()), m_settings(std::move(settings)), m_actor(recordActor()) {}

OutputRecorder::~OutputRecorder() = default;

Status OutputRecorder::lockRecord(const QString& record) {
    // A lock left by a commit that failed goes first.
    m_lock = std::make_unique<QLockFile>(record + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(kStaleLockMs);
    if (m_lock->tryLock(kLockWaitMs))
        return {};
    const bool busy = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    return failure(FailureKind::File,
                   busy ? QCoreApplication::translate(
                              "Record", "Il registro %1 è in uso da un altro processo da più di %2 "
                                        "secondi: i file non sono stati scritti. Riprovare.")
                              .arg(QDir::toNativeSeparators(record))
                              .arg(kLockWaitMs / 1000)
                        : QCoreApplication::translate(
                              "Record",
                              "Impossibile bloccare il registro %1 per aggiornarlo: i file "
                              "non sono stati scritti.")
                              .arg(QDir::toNativeSeparators(record)));
}

void OutputRecorder::committed() {
    m_lock.reset();
}

void OutputRecorder::addInput(const QString& path, InputRole role) {
    addInput({inputName(m_workbook, path), fileSha256(path), role});
}

void OutputRecorder::addInput(const QString& path, InputRole role, const QByteArray& sha256) {
    addInput({inputName(m_workbook, path), sha256, role});
}

void OutputRecorder::addInput(const RecordInput& input) {
    for (RecordInput& known : m_inputs)
        if (known.name == input.name) {
            known = input;
            return;
        }
    m_inputs.push_back(input);
}

Status OutputRecorder::prepare(const std::vector<CommittingFile>& files,
                               std::vector<SafeFile>& companions) {
    const QFileInfo workbook(m_workbook);
    const QString prefix = workbook.fileName() + u'.';
    const QString record = recordPath(m_workbook);
    std::vector<const CommittingFile*> beside;
    for (const CommittingFile& file : files) {
        const QFileInfo info(file.path);
        if (info.absolutePath() == workbook.absolutePath() && info.fileName().startsWith(prefix) &&
            info.fileName() != QFileInfo(record).fileName())
            beside.push_back(&file);
    }
    if (beside.empty())
        return {};
    if (Status locked = lockRecord(record); !locked)
        return locked;
    Expected<Record> read = readRecord(m_workbook);
    if (!read)
        return failure(FailureKind::File, read.error().message);
    const QString written = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    const QString program =
        QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion();
    // Files written together vouch for each other: one rewritten alone
    // leaves the others behind.
    for (const CommittingFile* file : beside) {
        std::vector<RecordInput> inputs = m_inputs;
        for (const CommittingFile* other : beside)
            if (other != file)
                inputs.push_back(
                    {QFileInfo(other->path).fileName(), other->sha256, InputRole::Together});
        RecordEntry& entry = read->entries[QFileInfo(file->path).fileName()];
        entry = RecordEntry{file->sha256, written,  m_actor.by,        m_actor.arguments, program,
                            m_decimal,    m_locale, std::move(inputs), m_settings};
    }
    SafeFile& file = companions.emplace_back(record);
    Status status = file.open();
    if (status)
        status = file.write(recordBytes(*read));
    return status;
}

RecordScope::RecordScope(const QString& strMatrice, const Regional& regional, QJsonObject settings)
    : m_recorder(strMatrice, regional, std::move(settings)), m_scope(&m_recorder) {}
