#include "sound/deviceloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <dlfcn.h>

#include <cstdio>

namespace sound {

namespace {

using Factory = SoundDevice *(*)();
constexpr char kFactoryName[] = "janken_create_sound_device";
constexpr char kLibraryName[] = "libjanken_sound.so";

class SilentDevice final : public SoundDevice {
public:
    void setFileName(const QString &) override {}
    void command(const QString &) override {}
};

Factory findFactory(QString &why) {
    // Already part of the process (a program linked with the library).
    if (void *linked = dlsym(RTLD_DEFAULT, kFactoryName)) {
        return reinterpret_cast<Factory>(linked);
    }
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList folders{appDir, QDir::cleanPath(appDir + QLatin1Char('/') +
                                                      QStringLiteral(JANKEN_SOUND_RELATIVE_DIR))};
    for (const QString &folder : folders) {
        const QByteArray path =
            QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(kLibraryName));
        // Never closed: its effects may outlive every owner (see EffectDevice).
        void *library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            why = QString::fromLocal8Bit(dlerror());
            continue;
        }
        if (void *factory = dlsym(library, kFactoryName)) {
            return reinterpret_cast<Factory>(factory);
        }
        why = QString::fromLocal8Bit(dlerror());
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<SoundDevice> createChimeDevice() {
    static QString why;
    static const Factory factory = findFactory(why);
    if (factory) {
        return std::unique_ptr<SoundDevice>(factory());
    }
    static bool told = false;
    if (!told) {
        told = true;
        std::fprintf(stderr, "janken: the chimes are off: %s\n", qPrintable(why));
    }
    return std::make_unique<SilentDevice>();
}

}  // namespace sound
