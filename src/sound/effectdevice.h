#pragma once

#include "sound/sounddevice.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSoundEffect>

namespace sound {

// Whether the file is a RIFF wave with PCM samples and some audio data.
bool isPlayableWave(const QString &path);

// Plays wave files with QSoundEffect. A file name without a directory is
// found in the working directory, as the program's chimes are.
//
// Each file gets one effect, kept for the rest of the run: a QSoundEffect
// destroyed while it is still loading its file can crash or hang the process,
// so an effect is never destroyed mid-load. "Close" therefore only stops and
// lets go of the current effect; at the end, an effect still loading gets a
// moment to finish, and one that does not is abandoned rather than destroyed.
class EffectDevice final : public QObject, public SoundDevice {
    Q_OBJECT

public:
    EffectDevice();
    ~EffectDevice() override;

    void setFileName(const QString &name) override;
    void command(const QString &command) override;

    // The effect "Open" chose, or nullptr when none is open.
    QSoundEffect *current() const { return m_current; }

private:
    void open();
    void play();

    QString m_fileName;
    QHash<QString, QSoundEffect *> m_effects;  // by absolute path
    QPointer<QSoundEffect> m_current;
};

}  // namespace sound
