#pragma once

#include "CopyTestSupport.h"
#include "core/device/iPod.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

// Every line of the song list as the window shows it.
QStringList songLines(const SongList &list);

// The byte offset of each track record of a database written by itdb::write.
std::vector<qsizetype> trackOffsets(const QByteArray &db);

// Checks what must hold after any read, however it ended: one track start per
// track record, in ascending order, each track's lines opened by its start.
void expectWholeTracks(const iPod &pod);

// A player folder whose database files hold what a test puts there.
class PlayerFolderTest : public ::testing::Test
{
protected:
    // The path of a file in the player's iPod_Control/iTunes folder.
    QString databasePath(const QString &name) const;
    void put(const QString &name, const QByteArray &bytes) const;
    iPod::ReadOutcome read(iPod &pod) const;
    // Reads and expects a stop whose text is the file's path followed by `reason`.
    void expectStop(const QString &name, const QString &reason) const;

    PlayerFolder player;
};
