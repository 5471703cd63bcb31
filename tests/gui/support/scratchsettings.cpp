#include "scratchsettings.h"

#include "ui/platform/usersettings.h"

ScratchSettings::ScratchSettings() {
    UserSettings::useFile(m_dir.filePath(QStringLiteral("orvalta.ini")));
}

ScratchSettings::~ScratchSettings() {
    UserSettings::useFile(QString());
}
