#include "sound/effectdevice.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace sound {

EffectDevice::EffectDevice() = default;

EffectDevice::~EffectDevice() {
    for (QSoundEffect *effect : std::as_const(m_effects)) {
        if (effect->status() == QSoundEffect::Loading) {
            // Left to the end of the process: deleting it now is the hazard.
            effect->setParent(nullptr);
        } else {
            delete effect;
        }
    }
}

void EffectDevice::setFileName(const QString &name) {
    m_fileName = name;
}

void EffectDevice::command(const QString &command) {
    if (command.compare(QLatin1String("Stop"), Qt::CaseInsensitive) == 0) {
        if (m_current) {
            m_current->stop();
        }
    } else if (command.compare(QLatin1String("Close"), Qt::CaseInsensitive) == 0) {
        if (m_current) {
            m_current->stop();
        }
        m_current = nullptr;
    } else if (command.compare(QLatin1String("Open"), Qt::CaseInsensitive) == 0) {
        open();
    } else if (command.compare(QLatin1String("Sound"), Qt::CaseInsensitive) == 0 ||
               command.compare(QLatin1String("Play"), Qt::CaseInsensitive) == 0) {
        play();
    }
}

void EffectDevice::open() {
    m_current = nullptr;
    const QFileInfo file(QDir::current(), m_fileName);
    if (m_fileName.isEmpty() || !file.isFile() || !file.isReadable()) {
        return;  // nothing to play; the caller goes on regardless
    }
    const QString path = file.absoluteFilePath();
    QSoundEffect *&effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    m_current = effect;
}

void EffectDevice::play() {
    QSoundEffect *effect = m_current;
    if (!effect) {
        return;
    }
    switch (effect->status()) {
        case QSoundEffect::Ready:
            effect->play();
            break;
        case QSoundEffect::Loading:
        case QSoundEffect::Null: {
            // Start as soon as the file has loaded, unless closed or reopened
            // meanwhile.
            auto *guard = new QObject(this);
            connect(effect, &QSoundEffect::statusChanged, guard, [this, effect, guard] {
                if (effect->status() == QSoundEffect::Loading) {
                    return;
                }
                if (effect->status() == QSoundEffect::Ready && m_current == effect) {
                    effect->play();
                }
                guard->deleteLater();
            });
            break;
        }
        case QSoundEffect::Error:
            break;  // not a sound file, or no device: silence
    }
}

}  // namespace sound
