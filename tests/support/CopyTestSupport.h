#pragma once

#include "TestStrings.h"
#include "core/common/MessageService.h"
#include "core/common/ProgressSink.h"
#include "core/copy/CopyFiles.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridModel.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <vector>

// Records every message box and answers from a queue (OK when empty).
class ScriptedMessages : public MessageService
{
public:
    struct Shown
    {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons, MessageIcon icon) override
    {
        shown.push_back({text, title, buttons, icon});
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown &s : shown)
            result << s.text;
        return result;
    }

    std::deque<MessageAnswer> answers;
    std::vector<Shown> shown;
};

// Real copies, recorded; before the n-th file it runs what the test does
// meanwhile, as events processed during the copy would.
class SteppingStorage : public CopyStorage
{
public:
    CopyStorageResult copyToStorage(const CopyJob &job) override
    {
        jobs.push_back(job);
        if (beforeCopy)
            beforeCopy(static_cast<int>(jobs.size()));
        return real.copyToStorage(job);
    }
    CopyComparison compareWithStorage(const CopyJob &job) override { return real.compareWithStorage(job); }

    std::vector<CopyJob> jobs;
    std::function<void(int)> beforeCopy;
    FileCopyStorage real;
};

QByteArray readFile(const QString &path);
// Writes the file, making its folder first; a test that cannot write ends there.
void writeBytes(const QString &path, const QByteArray &bytes);
// Every entry of the folder but "." and "..", hidden and special ones too, by name.
QStringList entriesIn(const QString &folder);
// The content of every file below the folder, by path relative to it.
QMap<QString, QByteArray> filesBelow(const QString &folder);

// A player folder with song files of random bytes under iPod_Control/Music.
class PlayerFolder
{
public:
    PlayerFolder();
    QString root() const { return m_dir.path(); }
    // Writes a song of the given size; returns its stored location ("\iPod_Control\Music\F00\ABCD.mp3").
    QString addSong(const QString &folder, const QString &fileName, int size);
    QByteArray bytes(const QString &location) const { return m_songs.value(location); }
    // The content of every file below the root.
    QMap<QString, QByteArray> snapshot() const { return filesBelow(root()); }

private:
    QTemporaryDir m_dir;
    QMap<QString, QByteArray> m_songs;  // the bytes written, by location
};

// A song grid with a header row; each song row holds its title and file
// cells with the two leading blanks that the grid fill keeps.
struct SongRow
{
    QString title;
    QString location;
    bool tagged = false;
};
void fillGrid(GridModel &grid, const std::vector<SongRow> &rows);
