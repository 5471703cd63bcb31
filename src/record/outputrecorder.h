#pragma once

#include "record/record.h"
#include "shared/safefile.h"

#include "shared/regional.h"
#include <QJsonObject>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <vector>

// Who writes the files recorded from now on: the batch tool's command line
// (and its arguments after the program's name, for replaying it), or a
// window and its action ("Elaborazione: Avvia"). Process-wide; the windows
// set it on their thread before starting the work.
struct RecordActor {
    QString by;
    QStringList arguments;
};
void setRecordActor(const RecordActor& actor);
RecordActor recordActor();

// Records every file committed beside the workbook while it is the commit
// companion (see RecordScope): each file's entry (its hash, the actor,
// the program, the decimal separator, the inputs and the settings given
// here) is written into the record with the file, as one change. Files
// elsewhere are not recorded.
class OutputRecorder : public CommitCompanion {
public:
    OutputRecorder(const QString& strMatrice, const Regional& regional, QJsonObject settings = {});
    ~OutputRecorder() override;

    // An input, hashed now: the entry vouches for what was read.
    void addInput(const QString& path, InputRole role);
    // An input whose hash is known.
    void addInput(const RecordInput& input);
    // An input hashed as it was read (lower-case hexadecimal).
    void addInput(const QString& path, InputRole role, const QByteArray& sha256);
    const std::vector<RecordInput>& inputs() const { return m_inputs; }
    QJsonObject& settings() { return m_settings; }

    // Reads the record under its lock (<record>.lock, which other processes
    // writing outputs of the same workbook wait for), held until the files
    // and the record are in place: no entry of theirs is lost.
    Status prepare(const std::vector<CommittingFile>& files,
                   std::vector<SafeFile>& companions) override;
    void committed() override;

private:
    // Takes the record's lock; a File failure when another process holds
    // it too long or it cannot be taken.
    Status lockRecord(const QString& record);

    std::unique_ptr<QLockFile> m_lock;
    QString m_workbook;
    QString m_decimal;
    QString m_locale;
    QJsonObject m_settings;
    std::vector<RecordInput> m_inputs;
    RecordActor m_actor;
};

// An OutputRecorder made the commit companion of this thread while it lives.
class RecordScope {
public:
    RecordScope(const QString& strMatrice, const Regional& regional, QJsonObject settings = {});
    RecordScope(const RecordScope&) = delete;
    RecordScope& operator=(const RecordScope&) = delete;
    OutputRecorder& recorder() { return m_recorder; }

private:
    OutputRecorder m_recorder;
    CommitCompanionScope m_scope;
};
