#pragma once

#include "core/grid/GridModel.h"
#include "gui/app/Form1.h"
#include "gui/grid/FGrid.h"
#include "gui/help/frmhelp.h"
#include "gui/photos/QtImageLoader.h"

#include "CopyTestSupport.h"
#include "FakeMediaPlayer.h"
#include "FakeVolumes.h"
#include "ItunesDbWriter.h"
#include "ReportDoubles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

// The main window with doubles for its services, shared by the window's test suites.

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class Form1Test : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(helpDir.isValid() && playerDir.isValid()); }

    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Writes the player's database with count songs: "Song 1" by "Artist 0"
    // in 1:00, "Song 2" by "Artist 1" in 1:01, ...
    void makePlayer(int count)
    {
        itdb::Database db;
        for (int i = 0; i < count; ++i) {
            itdb::Track t;
            t.title = u"Song %1"_s.arg(i + 1);
            t.location = u":iPod_Control:Music:F00:S%1.WAV"_s.arg(i);
            t.artist = u"Artist %1"_s.arg(i % 3);
            t.lengthMs = 1000u * static_cast<std::uint32_t>(60 + i);
            db.tracks.push_back(t);
        }
        writeFile(playerDir.filePath(u"iPod_Control/iTunes/iTunesDB"_s), itdb::write(db));
    }

    // The song file of a grid row as makePlayer stores it.
    QString songFile(int row) const { return playerDir.filePath(u"iPod_Control/Music/F00/S%1.WAV"_s.arg(row - 1)); }

    Form1 &open(std::optional<QString> playerRoot = std::nullopt)
    {
        window = std::make_unique<Form1>(Form1Services{.volumes = volumes,
                                                       .messages = messages,
                                                       .player = player,
                                                       .copyStorage = copyStorage ? *copyStorage : fileCopies,
                                                       .fileDialog = fileDialog,
                                                       .urlOpener = urlOpener,
                                                       .printer = printService,
                                                       .playerRoot = std::move(playerRoot),
                                                       .endProgram = [this] { ++endCalls; },
                                                       .helpDirs = {helpDir.path()},
                                                       .imageLoader = &images});
        QObject::connect(window.get(), &Form1::statusTextChanged,
                         [this](const QString &text) { statusTexts.append(text); });
        window->show();
        return *window;
    }

    void clickConnect() { QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton); }

    // Opens the window on a player with that many songs and presses Connect.
    Form1 &openConnected(int songs)
    {
        makePlayer(songs);
        Form1 &w = open(playerDir.path());
        clickConnect();
        EXPECT_TRUE(w.connectdone());
        return w;
    }

    GridModel &grid() const { return window->grid(); }
    FGrid *view() const { return window->gridView(); }

    QPoint cellCenter(int gridRow, int col) const
    {
        return view()->visualRect(grid().index(gridRow - 1, col)).center();
    }

    void writeHelp(const QByteArray &bytes) { writeFile(helpDir.filePath(helpFileName()), bytes); }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void enterHelpMode() { child<QAction>("mnuhelp")->trigger(); }

    frmhelp *helpWindow() const { return window->findChild<frmhelp *>(); }

    QTemporaryDir helpDir, playerDir;
    ScriptedMessages messages;
    FakeVolumes volumes;
    FakeMediaPlayer player;
    int endCalls = 0;
    FileCopyStorage fileCopies;
    CopyStorage *copyStorage = nullptr;  // set before open() to watch the copies
    QtImageLoader images;
    FakeFileDialog fileDialog;
    FakeUrlOpener urlOpener;
    FakePrinter printService;
    QStringList statusTexts;
    std::unique_ptr<Form1> window;
};
