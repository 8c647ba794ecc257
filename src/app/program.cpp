#include "app/program.h"

#include "mainwindow/form1.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

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
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        u"じゃんけん: a classroom experiment in probability. Three players show random hands;\n"
        u"the program counts draws (あいこ), one-alone-wins (一人勝ち) and one-alone-losses\n"
        u"(一人負け) and graphs how each ratio approaches 1/3. See janken(1)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
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
        const QString text =
            parser.isSet(help)
                ? parser.helpText().replace(QStringLiteral("<executable_name>"),
                                            QStringLiteral("janken"))
                : QStringLiteral("janken %1\n").arg(QCoreApplication::applicationVersion());
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
