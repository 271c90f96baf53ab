// The window program's command line, run as a user runs it, without a display.
#include "TestStrings.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString out, err;
};

ProgramRun runProgram(const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : texts(u"DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM"))
        env.remove(name);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUILLORY_APP), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// Which arguments are refused is the parser's own test; here that help needs
// no display, that Qt's own options are taken out before the program's are
// read, and that a refusal exits with the usage.
TEST(ProgramCommandLineTest, HelpAndVersionNeedNoDisplayAndRefusalsShowTheUsage)
{
    const ProgramRun help = runProgram({u"--player"_s, u"/somewhere"_s, u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: quillory [OPTIONS]\n"_s)) << help.out.toStdString();
    const ProgramRun version = runProgram(texts(u"-platform|offscreen|--version"));
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, u"quillory 1.0.1\n"_s);

    const ProgramRun refused = runProgram(texts(u"-platform|offscreen|--player|a|b"));
    EXPECT_EQ(refused.exitCode, 64);
    EXPECT_TRUE(refused.err.contains(u"\n\nUsage: quillory [OPTIONS]\n"_s)) << refused.err.toStdString();
    EXPECT_EQ(refused.out, QString());
}

}  // namespace
