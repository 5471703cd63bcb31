#pragma once

#include <QFontMetrics>
#include <QString>

// The text of path that fits in width pixels: the whole path when it fits,
// otherwise its last folders and the file name behind "…/"
// ("…/Statistiche/regioni.xlsx"), and when not even "…/" and the file name
// fit, the file name cut in the middle behind "…/". Folders are separated
// by "/".
QString elidePath(const QString& path, const QFontMetrics& metrics, int width);
