#include "sound/chimedevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <canberra.h>

#include <cstdio>

namespace sound {

namespace {

// Every chime is played under the same id, so that one cancel ends it.
constexpr std::uint32_t kChime = 1;

void sayOnce(const QString &why) {
    static bool said = false;
    if (!said) {
        said = true;
        std::fprintf(stderr, "janken: the chimes are silent: %s\n", qPrintable(why));
    }
}

}  // namespace

ChimeDevice::~ChimeDevice() {
    if (m_context) {
        ca_context_destroy(m_context);  // safe while a chime plays: it is cut off
    }
}

QString ChimeDevice::resolve(const QString &fileName) {
    const QStringList folders{QDir::currentPath(),
                              QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/" JANKEN_DATA_RELATIVE_DIR))};
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder), fileName);
        if (!fileName.isEmpty() && file.isFile() && file.isReadable()) {
            return file.absoluteFilePath();
        }
    }
    return {};
}

void ChimeDevice::command(const QString &command) {
    if (command == u"Stop" || command == u"Close") {
        if (m_context) {
            ca_context_cancel(m_context, kChime);
        }
        m_path.clear();
    } else if (command == u"Open") {
        m_path = resolve(m_fileName);
        if (m_path.isEmpty()) {
            sayOnce(m_fileName +
                    QStringLiteral(" is not in the working directory or the data folder"));
        }
    } else if (command == u"Sound" && !m_path.isEmpty()) {
        play();
    }
}

void ChimeDevice::play() {
    int error = m_context ? CA_SUCCESS : ca_context_create(&m_context);
    if (error == CA_SUCCESS) {
        error = ca_context_play(m_context, kChime, CA_PROP_MEDIA_FILENAME,
                                QFile::encodeName(m_path).constData(), CA_PROP_EVENT_DESCRIPTION,
                                "janken chime", CA_PROP_APPLICATION_NAME, "janken", nullptr);
    }
    if (error != CA_SUCCESS) {
        sayOnce(QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(ca_strerror(error))));
    }
}

}  // namespace sound
