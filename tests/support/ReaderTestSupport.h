#pragma once

#include "core/device/iPod.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// Every line of the song list as the window shows it.
QStringList songLines(const SongList &list);

// The byte offset of each track record of a database written by itdb::write.
std::vector<qsizetype> trackOffsets(const QByteArray &db);

// Checks what must hold after any read, however it ended: one track start per
// track record, in ascending order, each track's lines opened by its start.
void expectWholeTracks(const iPod &pod);
