// The window program's command line, run as a user runs it.
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

// Runs quillory with no display at all, or on the offscreen platform.
ProgramRun runProgram(const QStringList &args, bool offscreen)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : texts(u"DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM"))
        env.remove(name);
    if (offscreen)
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUILLORY_APP), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(ProgramCommandLineTest, HelpAndVersionNeedNoDisplay)
{
    const ProgramRun version = runProgram({u"--version"_s}, false);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, u"quillory 1.0.1\n"_s);

    const ProgramRun help = runProgram({u"--player"_s, u"/somewhere"_s, u"--help"_s}, false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: quillory [OPTIONS]\n"_s)) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(u"--player <DIR>"_s));
    EXPECT_EQ(help.err, QString());
}

TEST(ProgramCommandLineTest, ArgumentsNotUnderstoodExitWithTheUsage)
{
    // Which arguments are refused is the parser's own test; here the exit and the usage.
    const ProgramRun run = runProgram(texts(u"--player|a|b"), true);
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_TRUE(run.err.contains(u"quillory: "_s) && run.err.contains(u"\n\nUsage: quillory [OPTIONS]\n"_s))
        << run.err.toStdString();
    EXPECT_EQ(run.out, QString());
    // Qt's own options are taken out before the program's are read.
    const ProgramRun qtOption = runProgram({u"-platform"_s, u"offscreen"_s, u"--version"_s}, false);
    EXPECT_EQ(qtOption.exitCode, 0);
    EXPECT_EQ(qtOption.out, u"quillory 1.0.1\n"_s);
}

}  // namespace
