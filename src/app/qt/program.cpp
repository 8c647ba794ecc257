#include "app/qt/program.h"

#include "mainwindow/form1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace app {

namespace {

bool envSet(const char *name) {
    const char *value = std::getenv(name);
    return value && *value;
}

struct Texts {
    const char16_t *description;
    const char16_t *help;
    const char16_t *version;
};

constexpr Texts kEnglish{
    u"じゃんけん: a classroom experiment in probability. Three players show random hands;\n"
    u"the program counts draws (あいこ), one-alone-wins (一人勝ち) and one-alone-losses\n"
    u"(一人負け) and graphs how each ratio approaches 1/3. See janken(1).",
    u"Show this help and exit.", u"Show the version and exit."};

constexpr Texts kJapanese{
    u"じゃんけん: 確率の授業のための実験です。３人が無作為に手を出し、\n"
    u"あいこ・一人勝ち・一人負けを数えて、それぞれの割合が 1/3 に\n"
    u"近づく様子をグラフで示します。詳しくは janken(1) を見てください。",
    u"このヘルプを表示して終了します。", u"バージョンを表示して終了します。"};

}  // namespace

int runProgram(int argc, char **argv) {
    // A platform chosen on the command line (offscreen, vnc ...) needs no display. Without one,
    // Qt would stop the program before --help or --version could answer: it starts on the
    // offscreen platform instead, and the program then says what is missing.
    const bool platformChosen = std::any_of(argv + 1, argv + argc, [](const char *arg) {
        return std::string_view(arg) == "-platform" || std::string_view(arg) == "--platform";
    });
    const bool display = platformChosen || envSet("QT_QPA_PLATFORM") || envSet("DISPLAY") ||
                         envSet("WAYLAND_DISPLAY");
    if (!display) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);  // takes Qt's own options off the command line
    QCoreApplication::setApplicationName(QStringLiteral("janken"));
    QCoreApplication::setApplicationVersion(QStringLiteral(JANKEN_VERSION));

    const bool ja = QLocale::system().uiLanguages().value(0).startsWith(u"ja");
    const Texts &texts = ja ? kJapanese : kEnglish;
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf16(texts.description));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QString::fromUtf16(texts.help));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QString::fromUtf16(texts.version));
    parser.addOptions({help, version});
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.errorText().isEmpty()
                                ? QStringLiteral("Unexpected argument '%1'.")
                                      .arg(parser.positionalArguments().constFirst())
                                : parser.errorText();
        std::fprintf(stderr, "janken: %s See janken --help.\n", qPrintable(why));
        return 2;
    }
    if (parser.isSet(help)) {
        // Named as the program, not as it was started ("./janken").
        QString text = parser.helpText().replace(
            QStringLiteral("Usage: ") + QCoreApplication::arguments().constFirst(),
            QStringLiteral("Usage: janken"));
        if (ja) {  // the parser's own two headings, for which Qt has no translation loaded
            text.replace(QStringLiteral("Usage: janken [options]"),
                         QStringLiteral(u"使い方: janken [オプション]"))
                .replace(QStringLiteral("\nOptions:\n"), QStringLiteral(u"\nオプション:\n"));
        }
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("janken %s\n", JANKEN_VERSION);
        return 0;
    }
    if (!display) {
        std::fputs(
            "janken: no display found (DISPLAY is not set); to run without a screen: "
            "xvfb-run -a janken\n",
            stderr);
        return 1;
    }
    Form1 form;
    form.Show();
    return QApplication::exec();
}

}  // namespace app
