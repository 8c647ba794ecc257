#include "sound/chimedevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <canberra.h>

#include <cstdio>

namespace sound {

namespace {

// Every chime is played under the same id, so that one cancel ends it.
constexpr std::uint32_t kChime = 1;

// libcanberra itself is loaded with the first chime. Linked in, it and its
// codecs would be mapped at every start, and every symbol the toolkit looks
// up while it starts would be searched for in them too.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_context_cancel) cancel = nullptr;
    decltype(&ca_strerror) strerror = nullptr;
    QString error;  // why it is not there
};

const Canberra &canberra() {
    static const Canberra api = [] {
        Canberra c;
        QLibrary library(QStringLiteral("canberra"), 0);
        const auto resolve = [&library](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        if (!(library.load() && resolve(c.create, "ca_context_create") &&
              resolve(c.destroy, "ca_context_destroy") && resolve(c.play, "ca_context_play") &&
              resolve(c.cancel, "ca_context_cancel") && resolve(c.strerror, "ca_strerror"))) {
            c.create = nullptr;
            c.error = library.errorString();
        }
        return c;
    }();
    return api;
}

}  // namespace

ChimeDevice::~ChimeDevice() {
    if (m_context) {
        canberra().destroy(m_context);  // safe while a chime plays: it is cut off
    }
}

void ChimeDevice::sayOnce(const QString &why) {
    if (!m_said) {
        m_said = true;
        std::fprintf(stderr, "janken: the chimes are silent: %s\n", qPrintable(why));
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
            canberra().cancel(m_context, kChime);
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
    const Canberra &ca = canberra();
    if (!ca.create) {
        sayOnce(ca.error);
        return;
    }
    int error = m_context ? CA_SUCCESS : ca.create(&m_context);
    if (error == CA_SUCCESS) {
        error = ca.play(m_context, kChime, CA_PROP_MEDIA_FILENAME,
                        QFile::encodeName(m_path).constData(), CA_PROP_EVENT_DESCRIPTION,
                        "janken chime", CA_PROP_APPLICATION_NAME, "janken", nullptr);
    }
    if (error != CA_SUCCESS) {
        sayOnce(QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(ca.strerror(error))));
    }
}

}  // namespace sound
