#include "app/program.h"

#include "mainwindow/form1.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace app {

namespace {

bool envSet(const char *name) {
    const char *value = std::getenv(name);
    return value && *value;
}

// The toolkit's own options, which QApplication takes from the command line:
// accepted here, left to it and kept out of the usage text.
void acceptToolkitOptions(QCommandLineParser &parser) {
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle",
                             "session", "display", "geometry", "style", "stylesheet"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Whether messages are to be in Japanese: the messages' locale, as the C
// library reads it (LC_ALL, LC_MESSAGES, then LANG).
bool japanese() {
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (envSet(name)) {
            return std::strncmp(std::getenv(name), "ja", 2) == 0;
        }
    }
    return false;
}

}  // namespace

bool displayAvailable(bool platformChosen) {
    // An explicitly chosen platform (offscreen, vnc...) needs no display.
    return platformChosen || envSet("QT_QPA_PLATFORM") || envSet("DISPLAY") ||
           envSet("WAYLAND_DISPLAY");
}

int runProgram(int argc, char **argv) {
    QCoreApplication::setApplicationName(QStringLiteral("janken"));
    QCoreApplication::setApplicationVersion(QStringLiteral(JANKEN_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Read before any window exists, so that --help, --version and a
    // mistyped option need no display.
    const bool ja = japanese();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ja ? QStringLiteral(u"じゃんけん: 確率の授業のための実験です。３人が無作為に手を出し、\n"
                            u"あいこ・一人勝ち・一人負けを数えて、それぞれの割合が 1/3 に\n"
                            u"近づく様子をグラフで示します。詳しくは janken(1) を見てください。")
           : QStringLiteral(
                 u"じゃんけん: a classroom experiment in probability. Three players show random "
                 u"hands;\nthe program counts draws (あいこ), one-alone-wins (一人勝ち) and "
                 u"one-alone-losses\n(一人負け) and graphs how each ratio approaches 1/3. See "
                 u"janken(1)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  ja ? QStringLiteral(u"このヘルプを表示して終了します。")
                                     : QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     ja ? QStringLiteral(u"バージョンを表示して終了します。")
                                        : QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    acceptToolkitOptions(parser);
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.errorText().isEmpty()
                                ? QStringLiteral("Unexpected argument '%1'.")
                                      .arg(parser.positionalArguments().constFirst())
                                : parser.errorText();
        std::fprintf(stderr, "janken: %s See janken --help.\n", qPrintable(why));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        QString text =
            parser.isSet(help)
                ? parser.helpText().replace(QStringLiteral("<executable_name>"),
                                            QStringLiteral("janken"))
                : QStringLiteral("janken %1\n").arg(QCoreApplication::applicationVersion());
        if (ja) {  // the parser's own two headings, which no translation is loaded for yet
            text.replace(QStringLiteral("Usage: janken [options]"),
                         QStringLiteral(u"使い方: janken [オプション]"))
                .replace(QStringLiteral("\nOptions:\n"), QStringLiteral(u"\nオプション:\n"));
        }
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (!displayAvailable(parser.isSet(QStringLiteral("platform")))) {
        std::fputs(
            "janken: no display found (DISPLAY is not set); to run without a screen: xvfb-run -a "
            "janken\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return QApplication::exec();
}

}  // namespace app
