// The manual pages, the shell completion and the AppStream file against the
// commands and options the programs really take.
#include "CopyTestSupport.h"
#include "ProgramRun.h"
#include "TestStrings.h"
#include "cli/SongTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

const QString dataDir = QStringLiteral(QUILLORY_SOURCE_DIR "/data/");

QString fileText(const QString &path)
{
    return QString::fromUtf8(readFile(path));
}

// Every command of quillory-cli with the long options its help lists.
std::map<QString, QStringList> commandsAndOptions()
{
    std::map<QString, QStringList> result;
    const QString help = runCli({u"--help"_s}).out;
    const QString list = help.section(u"\nCommands:\n"_s, 1).section(u"\n\n"_s, 0, 0);
    // An option may have a second long name: "  --rows, --tagged <LIST>".
    static const QRegularExpression optionPattern(u"^  (?:-\\w, )?(--[a-z-]+)(?:, (--[a-z-]+))?"_s,
                                                  QRegularExpression::MultilineOption);
    for (const QString &line : list.split(u'\n', Qt::SkipEmptyParts)) {
        const QString command = line.trimmed().section(u' ', 0, 0);
        QStringList &options = result[command];
        auto matches = optionPattern.globalMatch(runCli({command, u"--help"_s}).out);
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            options << match.captured(1);
            if (match.hasCaptured(2))
                options << match.captured(2);
        }
        options.sort();
    }
    return result;
}

// What the completion offers for the words of a command line, the last one
// being completed.
QStringList completions(const QStringList &words)
{
    QString script = u"source \"$1\"; COMP_WORDS=("_s;
    for (qsizetype i = 0; i < words.size(); ++i)
        script += u" \"${%1}\""_s.arg(i + 2);
    script += u"); COMP_CWORD=%1; _%2; printf '%s\\n' \"${COMPREPLY[@]}\""_s.arg(words.size() - 1)
                  .arg(QString(words[0]).replace(u'-', u'_'));
    const ProgramRun run =
        runProgram(u"bash"_s, QStringList{u"-c"_s, script, u"bash"_s, dataDir + u"quillory.bash-completion"_s} + words);
    QStringList offered = run.out.split(u'\n', Qt::SkipEmptyParts);
    offered.sort();
    return offered;
}

// The completion and the manual page know every command and option of the help.
TEST(DocumentationTest, CompletionAndManualPageOfferEveryCommandOptionAndValue)
{
    const QString cliPage = fileText(dataDir + u"quillory-cli.1"_s);
    ASSERT_FALSE(cliPage.isEmpty());
    const auto commands = commandsAndOptions();
    ASSERT_GE(commands.size(), 3u);
    QStringList names{u"--help"_s, u"--version"_s};
    for (const auto &[command, options] : commands) {
        names << command;
        ASSERT_FALSE(options.isEmpty()) << command.toStdString();
        EXPECT_EQ(completions({u"quillory-cli"_s, command, u"--"_s}), options) << command.toStdString();
        EXPECT_TRUE(cliPage.contains(u".SS \""_s + command + u' ')) << command.toStdString();
        for (const QString &option : options)
            EXPECT_TRUE(cliPage.contains(QString(option).replace(u"-"_s, u"\\-"_s))) << option.toStdString();
    }
    names.sort();
    EXPECT_EQ(completions({u"quillory-cli"_s, {}}), names);
    EXPECT_EQ(completions({u"quillory-cli"_s, u"grid"_s, u"--sort"_s, u"t"_s}), texts(u"title|tracknumber"));
    QStringList columns;
    for (int c = 0; c < GridColumn::Count; ++c)
        columns << columnInfo(c).name;
    columns.sort();
    EXPECT_EQ(completions({u"quillory-cli"_s, u"grid"_s, u"--sort"_s, {}}), columns);
    EXPECT_EQ(completions({u"quillory-cli"_s, u"list"_s, u"--format"_s, {}}), texts(u"csv|json|text|tsv"));
    EXPECT_EQ(completions({u"quillory"_s, u"--"_s}), texts(u"--help|--player|--version"));
    // Folders, with blanks in their names kept whole.
    EXPECT_EQ(completions({u"quillory"_s, u"--player"_s, dataDir.chopped(1)}), QStringList{dataDir.chopped(1)});
    EXPECT_EQ(completions({u"quillory-cli"_s, u"copy"_s, u"--to"_s, u"/nonexistent-folder/x"_s}), QStringList());
}

TEST(DocumentationTest, ManualPagesListExitStatusesAndRenderCleanly)
{
    const QString cliPage = fileText(dataDir + u"quillory-cli.1"_s);
    for (const QString &status : texts(u"0|2|3|4|5|64"))
        EXPECT_TRUE(cliPage.contains(u".B "_s + status + u'\n')) << status.toStdString();
    const QString windowPage = fileText(dataDir + u"quillory.1"_s);
    for (const QString &option : texts(u"\\-\\-player|\\-\\-help|\\-\\-version"))
        EXPECT_TRUE(windowPage.contains(option)) << option.toStdString();

    const QString groff = QStandardPaths::findExecutable(u"groff"_s);
    if (groff.isEmpty())
        GTEST_SKIP() << "groff is not installed: the manual pages were not rendered";
    for (const QString &page : {u"quillory-cli.1"_s, u"quillory.1"_s}) {
        const ProgramRun rendered = runProgram(groff, {u"-man"_s, u"-Tutf8"_s, u"-ww"_s, u"-P-cbou"_s, dataDir + page});
        EXPECT_EQ(rendered.exitCode, 0);
        EXPECT_EQ(rendered.err, QString()) << page.toStdString();
        EXPECT_TRUE(rendered.out.contains(u"EXIT STATUS"_s));
    }
}

TEST(DocumentationTest, AppStreamFileIsValid)
{
    const QString metainfo = dataDir + u"io.github.quillory.Quillory.metainfo.xml"_s;
    EXPECT_TRUE(fileText(metainfo).contains(u"<launchable type=\"desktop-id\">quillory.desktop</launchable>"_s));
    EXPECT_TRUE(QFile::exists(dataDir + u"quillory.desktop"_s));
    const QString appstreamcli = QStandardPaths::findExecutable(u"appstreamcli"_s);
    if (appstreamcli.isEmpty())
        GTEST_SKIP() << "appstreamcli is not installed: the AppStream file was not validated";
    const ProgramRun validation = runProgram(appstreamcli, {u"validate"_s, u"--no-net"_s, metainfo});
    EXPECT_EQ(validation.exitCode, 0) << validation.out.toStdString() << validation.err.toStdString();
}

}  // namespace
