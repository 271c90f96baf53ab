#pragma once

#include "app/Form1.h"
#include "common/MessageService.h"
#include "device/VolumeService.h"
#include "grid/FGrid.h"
#include "grid/GridModel.h"
#include "help/frmhelp.h"
#include "help/HelpText.h"

#include "../player/FakeMediaPlayer.h"
#include "ItunesDbWriter.h"
#include "../common/TestStrings.h"

#include <QCloseEvent>
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
#include <vector>

// The main window with doubles for its services, shared by the window's test suites.

struct ShownMessage
{
    QString text, title;
    MessageButtons buttons;
    MessageIcon icon;
};

class FakeMessages : public MessageService
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons,
                       MessageIcon icon) override
    {
        shown.push_back({text, title, buttons, icon});
        return answer;
    }
    std::vector<ShownMessage> shown;
    MessageAnswer answer = MessageAnswer::Ok;
};

class FakeVolumes : public VolumeService
{
public:
    std::vector<Volume> volumes() const override { return list; }
    std::vector<Volume> list;
};

// A window that refuses to close, as the copy window does while it copies.
class StubbornWindow : public QWidget
{
public:
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeRequests;
        event->ignore();
    }
};

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A player folder whose database holds these tracks.
inline void makePlayer(const QString &root, std::vector<itdb::Track> tracks)
{
    itdb::Database db;
    db.tracks = std::move(tracks);
    writeFile(root + QStringLiteral("/iPod_Control/iTunes/iTunesDB"), itdb::write(db));
}

// A player folder with the given number of tracks: "Song 1" by "Artist 0" in
// 1:00, "Song 2" by "Artist 1" in 1:01, ... stored as S0.WAV, S1.WAV, ...
inline void makePlayer(const QString &root, int count)
{
    std::vector<itdb::Track> tracks;
    for (int i = 0; i < count; ++i) {
        itdb::Track t;
        t.title = QStringLiteral("Song %1").arg(i + 1);
        t.location = QStringLiteral(":iPod_Control:Music:F00:S%1.WAV").arg(i);
        t.artist = QStringLiteral("Artist %1").arg(i % 3);
        t.lengthMs = 1000u * static_cast<std::uint32_t>(60 + i);
        tracks.push_back(t);
    }
    makePlayer(root, std::move(tracks));
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

    Form1 &open(std::optional<QString> playerRoot = std::nullopt)
    {
        window = std::make_unique<Form1>(Form1Services{.volumes = volumes,
                                                       .messages = messages,
                                                       .player = injectPlayer ? &player : nullptr,
                                                       .playerRoot = std::move(playerRoot),
                                                       .endProgram = [this] { ++endCalls; },
                                                       .helpDirs = {helpDir.path()},
                                                       .copyStorage = copyStorage});
        QObject::connect(window.get(), &Form1::statusTextChanged,
                         [this](const QString &text) { statusTexts.append(text); });
        window->show();
        return *window;
    }

    // Opens the window on the player folder and presses Connect.
    Form1 &openConnected()
    {
        Form1 &w = open(playerDir.path());
        QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);
        EXPECT_TRUE(w.connectdone());
        return w;
    }

    GridModel &grid() const { return window->grid(); }
    FGrid *view() const { return window->gridView(); }

    // The texts of one column, song rows only.
    QStringList column(int col) const
    {
        QStringList texts;
        for (int r = 1; r < grid().rows(); ++r)
            texts << grid().text(r, col);
        return texts;
    }

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

    // "?", then the menu item of that name.
    void helpOn(const char *menuItem)
    {
        enterHelpMode();
        window->gethelpnow(child<QAction>(menuItem));
    }

    frmhelp *helpWindow() const { return window->findChild<frmhelp *>(); }

    QTemporaryDir helpDir, playerDir;
    FakeMessages messages;
    FakeVolumes volumes;
    FakeMediaPlayer player;
    bool injectPlayer = true;  // false: the window makes its own player
    int endCalls = 0;
    CopyStorage *copyStorage = nullptr;  // set before open() to watch the copies
    QStringList statusTexts;
    std::unique_ptr<Form1> window;
};
