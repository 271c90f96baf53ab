#pragma once

#include "ItunesDbWriter.h"

#include <QString>

#include <vector>

namespace sampleplayer {

// The tracks of the sample player's database: several albums, titles in
// Japanese, Cyrillic, Greek and Arabic, tracks without album or genre, a very
// long title, track numbers above 9, lengths from 0:00 to over an hour, string
// records in more than one order and one track stored as UTF-8. Every
// location names a WAV file under iPod_Control/Music/Fnn with an upper-case
// name, as a player stores them.
std::vector<itdb::Track> tracks();

// A short mono WAV tone (16-bit PCM) at the given pitch.
QByteArray toneWav(double frequencyHz, int milliseconds);

// Writes the whole player folder under root: the database, a WAV file for
// every track, iPod_Control/device/sysinfo, iPod_Control/iTunes/DeviceInfo and
// photos/ with JPEG and BMP pictures (upper- and lower-case names, wider,
// taller and smaller than the photo viewer's box, one turned by its EXIF
// data), a PNG picture and broken.jpg, which is no picture. Needs a
// QGuiApplication for the pictures. Returns an error text, empty on success.
QString write(const QString &root);

}  // namespace sampleplayer
