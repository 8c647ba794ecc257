#include "sound/effectdevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace sound {

bool isPlayableWave(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") {
        return false;
    }
    bool pcm = false;
    // Walk the chunks: a PCM format chunk, then audio data.
    while (!file.atEnd()) {
        const QByteArray header = file.read(8);
        if (header.size() < 8) {
            return false;
        }
        const quint32 size = qFromLittleEndian<quint32>(header.constData() + 4);
        if (header.startsWith("fmt ")) {
            const QByteArray format = file.peek(16);
            if (size < 16 || format.size() < 16) {
                return false;
            }
            const quint16 tag = qFromLittleEndian<quint16>(format.constData());
            const quint16 channels = qFromLittleEndian<quint16>(format.constData() + 2);
            const quint16 bits = qFromLittleEndian<quint16>(format.constData() + 14);
            pcm = (tag == 1 || tag == 0xFFFE) && channels >= 1 && channels <= 8 &&
                  (bits == 8 || bits == 16 || bits == 24 || bits == 32);
        } else if (header.startsWith("data")) {
            return pcm && size > 0 && file.bytesAvailable() > 0;
        }
        if (!file.seek(file.pos() + size + (size & 1))) {
            return false;
        }
    }
    return false;
}

EffectDevice::EffectDevice() = default;

namespace {

// How long the end of the program waits for a chime still loading its file.
constexpr int kSettleMs = 1500;

// Lets an effect that is loading finish, so that it can be destroyed safely.
void settle(QSoundEffect *effect) {
    if (!QCoreApplication::instance() || effect->status() != QSoundEffect::Loading) {
        return;
    }
    QEventLoop loop;
    QObject::connect(effect, &QSoundEffect::statusChanged, &loop, &QEventLoop::quit);
    QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

EffectDevice::~EffectDevice() {
    for (QSoundEffect *effect : std::as_const(m_effects)) {
        settle(effect);
        if (effect->status() == QSoundEffect::Loading) {
            // Still loading: deleting it now is the hazard, so it is left to
            // the end of the process.
            effect->setParent(nullptr);
#if defined(__SANITIZE_ADDRESS__)
            __lsan_ignore_object(effect);  // kept on purpose, not lost
#endif
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
    } else if (command.compare(QLatin1String("Sound"), Qt::CaseInsensitive) == 0) {
        play();
    }
}

void EffectDevice::open() {
    m_current = nullptr;
    const QFileInfo file(QDir::current(), m_fileName);
    // Checked here because QSoundEffect never leaves its loading state for a
    // file it cannot decode; such a file is simply not played.
    if (m_fileName.isEmpty() || !file.isFile() || !isPlayableWave(file.filePath())) {
        return;
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

// The entry point the program looks up when it loads this library. The
// caller takes ownership at once (a C interface cannot return a smart pointer).
extern "C" Q_DECL_EXPORT sound::SoundDevice *janken_create_sound_device() {
    return std::make_unique<sound::EffectDevice>().release();
}
