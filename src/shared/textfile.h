#pragma once

#include <QString>
#include <QStringList>

// Writes a text file the way every output of the program is written: UTF-8
// without byte-order mark, each line followed by CR LF (the last one too).
// The file is replaced only when the whole text has been written: on any
// failure the earlier file of that name stays as it was. Returns an empty
// string on success, otherwise an Italian message naming the file and the
// cause.
QString writeTextFile(const QString& path, const QStringList& lines);
