#pragma once

#include <QTemporaryDir>

// The windows remember what they are told to in a settings file of their
// own for as long as this lives (never in the user's settings), then forget
// again.
class ScratchSettings {
public:
    ScratchSettings();
    ~ScratchSettings();
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

private:
    QTemporaryDir m_dir;
};
