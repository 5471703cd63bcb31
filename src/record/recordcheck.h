#pragma once

#include "record/record.h"
#include "shared/regional.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

// How a reader takes the files beside a workbook: each file checked once
// against the record, and its numbers read under the settings they were
// written with.
class RecordCheck {
public:
    // expected: the settings of the matrix the reader works on
    // (basisSettings): a file computed on a matrix with other settings
    // (another structure, the matrix treated or not, another treatment of
    // missing cells) is not current for it. Without them, each file is
    // checked against its inputs alone.
    RecordCheck(const QString& strMatrice, const Regional& current,
                std::optional<QJsonObject> expected = std::nullopt);

    // Whether the file is current for this reader, and why not.
    Currency check(const QString& path);
    // Takes the hash of the bytes of the file at path as the reader read
    // them: checks of it, and of files computed with it, hash it no more.
    void readAs(const QString& path, const QByteArray& sha256) { m_hashes.remember(path, sha256); }
    // The hash of the file at path, as read or as checked.
    QByteArray sha256(const QString& path) { return m_hashes.sha256(path); }
    // The regional settings the file's numbers were written under: its
    // entry's, else the current ones.
    Regional regionalOf(const QString& path) const;
    // Why the record could not be read (every file is then unrecorded);
    // empty when it could.
    const QString& recordProblem() const { return m_problem; }
    const Record& record() const { return m_record; }
    // Takes as expected the settings of the file at path (the most recent
    // of the files to be read together), when it has an entry and no
    // settings were expected.
    void expectAsOf(const QString& path);

private:
    QString m_workbook;
    Regional m_current;
    std::optional<QJsonObject> m_expected;
    Record m_record;
    QString m_problem;
    HashCache m_hashes;
};

// Why settings of a matrix differ from those expected, in Italian; empty
// when they agree (only the keys the matrix's settings have are compared).
QString settingsMismatch(const QJsonObject& settings, const QJsonObject& expected);

// The regional settings a file's numbers were written under, from its
// entry's locale (decimal separator and grouping).
Regional regionalOfEntry(const RecordEntry& entry, const Regional& current);
