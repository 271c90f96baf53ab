#include "SamplePlayer.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Pictures are drawn without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("Usage: sampleplayer DIR\n  writes a sample player folder into DIR\n", stderr);
        return 1;
    }
    const QString error = sampleplayer::write(arguments[1]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "sampleplayer: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
