// The chime test's program: "chimes" 初期化 twice and HELP, each whole, then 終了 answered はい;
// "exit" はい at once; "heard" 初期化, HELP, 終了 いいえ, then はい, 1.5 s apart. Status 0 only
// for a normal end, with no sound server's client (libpulse) loaded before the first chime.
#include "forms/qt/window.h"
#include "mainwindow/form1.h"
#include "sound/canberra/chimedevice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <cstring>

#include <random>

namespace {

// Chimes malformed from the real ones, each played by a fresh device: cut at each header offset,
// each size and format field out of range, bits flipped (mostly in the header), Ogg garbage.
int fuzz(const QString &folder) {
    std::mt19937 rng(20);
    QList<std::pair<QByteArray, const char *>> files;
    for (const char *name : {"/pinpon.wav", "/endpinpon.wav"}) {
        QFile file(folder + QLatin1String(name));
        const QByteArray real = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        for (int i = 0; i < 64 + 72 + 850; ++i) {
            QByteArray bytes = real.left(i < 64 ? i : real.size());
            const quint32 value = std::array{0u, 1u, 3u, 17u, 33u, 0xfffeu, ~0u >> 1, ~0u}[i % 8];
            const int at = std::array{4, 16, 20, 22, 24, 28, 32, 34, 40}[(i / 8) % 9];
            if (i >= 64 && i < 136) {  // the sizes, format code, channels, rate, alignment, depth
                std::memcpy(bytes.data() + at, &value, at % 8 == 4 || at == 16 ? 4 : 2);  // x86
            }
            for (int flips = i < 136 ? 0 : 1 + int(rng() % 8); flips > 0; --flips) {
                bytes[rng() % 4 ? rng() % 64 : rng() % bytes.size()] ^= char(1 << rng() % 8);
            }
            files << std::pair{bytes, i < 64 ? "truncated" : i < 136 ? "fields" : "bit-flips"};
        }
    }
    for (int i = 0; i < 150; ++i) {
        QByteArray ogg = QByteArray(int(rng() % 4096), 0);
        std::generate(ogg.begin(), ogg.end(), [&rng] { return char(rng()); });
        files << std::pair{QByteArray("OggS\0\2", 6) + ogg.replace(i % 2 * 22, 4, "OggS"), "ogg"};
    }
    const qsizetype generated = files.size();
    for (const char *kind : {"folder", "fifo", "loop", "locked", "large"}) {  // made by the script
        files << std::pair{QByteArray(), kind};
    }
    for (qsizetype i = 0; i < files.size(); ++i) {  // "fuzz KIND MILLISECONDS" for each
        QFile file(i < generated ? QStringLiteral("chime.wav")
                                 : QLatin1String(files[i].second) + QLatin1String(".wav"));
        if (i < generated && file.open(QIODevice::WriteOnly)) {
            file.write(files[i].first);
            file.close();
        }
        sound::ChimeDevice device;
        QElapsedTimer timer;
        timer.start();
        device.setFileName(file.fileName().toStdU16String());
        device.command(u"Open");
        device.command(u"Sound");
        std::fprintf(stderr, "fuzz %s %lld\n", files[i].second, timer.elapsed());
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? argv[1] : "";
    if (mode == "fuzz") {
        return fuzz(qEnvironmentVariable("CHIMES"));
    }
    Form1 form;
    form.Show();
    int answers = mode == "heard" ? 0 : 1;
    form.setQuestion([&answers](std::u16string_view, std::u16string_view) {
        ++answers;
        return answers > 1 ? 6 : 7;
    });
    bool whole = true, early = false;
    QTimer::singleShot(0, [&] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        early = !maps.open(QIODevice::ReadOnly) ||
                QString::fromLatin1(maps.readAll()).contains(QStringLiteral("libpulse"));
        for (int i = 0; mode == "chimes" && i < 2; ++i) {
            form.Command4_Click();
            form.Command5_Click();
            const auto *judgement =
                forms::qt::widget(form)->findChild<QLabel *>(QStringLiteral("hanntei1"));
            whole = whole && form.helpWindow() && judgement->text().isEmpty();
        }
        if (mode != "heard") {
            form.Command6_Click();
        }
    });
    if (mode == "heard") {
        QTimer::singleShot(100, [&form] { form.Command4_Click(); });
        QTimer::singleShot(1600, [&form] { form.Command5_Click(); });
        QTimer::singleShot(3100, [&form] { form.Command6_Click(); });
        QTimer::singleShot(4600, [&form] { form.Command6_Click(); });
    }
    return QApplication::exec() + (whole ? 0 : 3) + (form.isVisible() ? 5 : 0) + (early ? 9 : 0);
}
