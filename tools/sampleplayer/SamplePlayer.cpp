#include "SamplePlayer.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace sampleplayer {

namespace {

constexpr int SampleRate = 22050;
constexpr int ToneMs = 1200;

struct Album
{
    const char *album;  // nullptr: no album record
    const char *artist;
    const char *genre;  // nullptr: no genre record
    std::vector<const char *> titles;
};

// Song lengths in the database; the WAV files themselves stay short.
std::uint32_t lengthFor(int index)
{
    static constexpr std::uint32_t lengths[] = {
        214'000, 187'500, 245'300, 302'000, 158'900, 199'000, 276'400, 231'000, 263'700, 181'200,
    };
    return lengths[static_cast<std::size_t>(index) % std::size(lengths)];
}

// Four upper-case letters that differ for every index below 26^4.
QString fileStem(int index)
{
    unsigned value = static_cast<unsigned>(index) * 7919u + 12345u;
    QString stem;
    for (int i = 0; i < 4; ++i) {
        stem.prepend(QLatin1Char(static_cast<char>('A' + value % 26u)));
        value /= 26u;
    }
    return stem;
}

QString location(int index)
{
    return QStringLiteral(":iPod_Control:Music:F%1:%2.WAV")
        .arg(index % 4, 2, 10, QLatin1Char('0'))
        .arg(fileStem(index));
}

// The order iTunes and libgpod write: the file location before the other strings.
const std::vector<std::uint32_t> locationFirst{itdb::Location, itdb::Title, itdb::Artist,
                                               itdb::Album,    itdb::Genre, itdb::FileType};

void putU16(QByteArray &bytes, std::uint16_t v)
{
    bytes.append(static_cast<char>(v & 0xFF));
    bytes.append(static_cast<char>(v >> 8));
}

void putU32(QByteArray &bytes, std::uint32_t v)
{
    putU16(bytes, static_cast<std::uint16_t>(v & 0xFFFF));
    putU16(bytes, static_cast<std::uint16_t>(v >> 16));
}

bool writeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

QImage sunset(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(40, 40, 110));
    sky.setColorAt(0.6, QColor(250, 140, 60));
    sky.setColorAt(1, QColor(255, 210, 120));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 150));
    p.drawEllipse(QPointF(w * 0.5, h * 0.68), h * 0.14, h * 0.14);
    p.setBrush(QColor(20, 40, 70));
    p.drawRect(QRectF(0, h * 0.72, w, h * 0.28));
    return image;
}

QImage circles(int w, int h, QColor base)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(245, 245, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 9; ++i) {
        QColor c = base;
        c.setHsv((base.hue() + i * 37) % 360, 160, 230);
        QRadialGradient g(QPointF(w * (i % 3 + 0.5) / 3, h * (i / 3 + 0.5) / 3), h / 6.0);
        g.setColorAt(0, c.lighter(140));
        g.setColorAt(1, c);
        p.setBrush(g);
        p.setPen(QPen(c.darker(150), 2));
        p.drawEllipse(g.center(), h / 7.0, h / 7.0);
    }
    return image;
}

QImage stripes(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    for (int i = 0; i < 8; ++i)
        p.fillRect(QRect(i * w / 8, 0, w / 8 + 1, h), QColor::fromHsv(i * 45, 180, 220));
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(h / 8);
    font.setBold(true);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Quillory"));
    return image;
}

QString writePictures(const QString &root)
{
    const QString dir = root + QStringLiteral("/photos");
    QDir().mkpath(dir);
    struct Picture
    {
        QString name;
        QImage image;
        const char *format;
    };
    // Wider and taller than the viewer's box, smaller than it, and a phone
    // photo stored on its side with the EXIF note that turns it upright.
    const Picture pictures[] = {
        {QStringLiteral("SUNSET.JPG"), sunset(640, 480), "JPG"},
        {QStringLiteral("harbour.jpg"), sunset(480, 640).mirrored(true, false), "JPG"},
        {QStringLiteral("CIRCLES.JPG"), circles(800, 600, QColor(200, 60, 60)), "JPG"},
        {QStringLiteral("PALETTE.BMP"), circles(320, 240, QColor(60, 120, 200)), "BMP"},
        {QStringLiteral("stripes.bmp"), stripes(400, 300), "BMP"},
        {QStringLiteral("thumb.jpg"), circles(96, 72, QColor(60, 160, 90)), "JPG"},
        {QStringLiteral("screen.png"), stripes(320, 200), "PNG"},
    };
    for (const Picture &picture : pictures) {
        const QString path = dir + QLatin1Char('/') + picture.name;
        if (!picture.image.save(path, picture.format))
            return QStringLiteral("cannot write ") + path;
    }
    const QString phone = dir + QStringLiteral("/PHONE.JPG");
    QImageWriter writer(phone, "JPG");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    if (!writer.write(sunset(480, 360).transformed(QTransform().rotate(-90))))
        return QStringLiteral("cannot write ") + phone;
    // Named as a picture, but text.
    QString error;
    writeFile(dir + QStringLiteral("/broken.jpg"), "This file is not a picture.\r\n", error);
    return error;
}

}  // namespace

std::vector<itdb::Track> tracks()
{
    const std::vector<Album> albums = {
        {"Harbour Lights",
         "The Tidewater Band",
         "Folk",
         {"Morning Tide", "Salt on the Window", "Gulls Over Pier Nine", "Lantern Song", "The Ferryman's Daughter",
          "Rope and Canvas", "Low Water", "A Letter from the Lighthouse", "Fog Bell", "Dockside Waltz", "Nets at Noon",
          "The Long Crossing", "Shanty for the Last Boat", "Harbour Lights"}},
        {"Night Circuits",
         "Vela Nova",
         "Electronic",
         {"Boot Sequence", "Neon Rain", "Signal / Noise", "Overclock", "Parallel Lines", "Afterglow", "Sleep Mode",
          "Carrier Wave"}},
        {"Quiet Rooms",
         "Maren Holt",
         "Classical",
         {"Prelude in Grey", "Window Seat", "Nocturne for Two Hands", "The Empty Hall", "Cello at Dusk",
          "Quiet Rooms (Complete Cycle)"}},
        {"Paper Kites", "Juniper & Lowe", "Pop", {"Paper Kites", "Summer Static", "Say It Twice"}},
    };

    std::vector<itdb::Track> list;
    for (const Album &album : albums) {
        std::uint32_t number = 1;
        for (const char *title : album.titles) {
            itdb::Track t;
            t.title = QString::fromUtf8(title);
            t.album = QString::fromUtf8(album.album);
            t.artist = QString::fromUtf8(album.artist);
            t.genre = QString::fromUtf8(album.genre);
            t.fileType = QStringLiteral("WAV audio file");
            t.trackNumber = number++;
            if (album.genre == std::string_view("Electronic"))
                t.order = locationFirst;
            list.push_back(t);
        }
    }

    auto add = [&list](const char *title, const char *artist, const char *album, const char *genre,
                       std::uint32_t trackNumber) -> itdb::Track & {
        itdb::Track t;
        t.title = QString::fromUtf8(title);
        t.artist = QString::fromUtf8(artist);
        if (album)
            t.album = QString::fromUtf8(album);
        if (genre)
            t.genre = QString::fromUtf8(genre);
        t.fileType = QStringLiteral("WAV audio file");
        t.trackNumber = trackNumber;
        list.push_back(t);
        return list.back();
    };

    // Titles in other scripts.
    add("夜明けの歌", "青い空", "朝の光", "J-Pop", 1);
    add("Песня о ветре", "Белые ночи", "Северный свет", "Rock", 3);
    add("Το τραγούδι της θάλασσας", "Κύματα", "Αιγαίο", "World", 2).order = locationFirst;
    add("أغنية الصباح", "نور", "ألوان", "World", 5);
    // One track whose strings are stored as UTF-8.
    add("Café Déjà Vu", "Zoë Brontë", "Crème Brûlée", "Jazz", 4).utf8 = true;
    // Tracks without album, without genre, or without both.
    add("Demo Take 3", "Garage Echo", nullptr, "Rock", 0);
    add("Voice Memo", "Unknown Artist", nullptr, nullptr, 0);
    add("Field Recording: Rain", "Ambient Archive", "Field Notes", nullptr, 0);
    // Lengths at the edges: nothing, a half second that rounds, over an hour.
    add("Silence (Intro)", "Garage Echo", "Live at the Shed", "Rock", 1).lengthMs = 0;
    add("Half a Second Short", "Garage Echo", "Live at the Shed", "Rock", 2).lengthMs = 59'500;
    add("The Whole Night Through (Extended Live Set)", "Maren Holt", "Quiet Rooms", "Classical", 7).lengthMs =
        3'725'000;
    add("A Very Long Title for a Song That Goes On and On About the Sea, the Sky, the Harbour, the Gulls, "
        "the Boats Coming Home in the Evening Light and Everything Else the Singer Could Think Of Before "
        "the Chorus Finally Arrives",
        "The Tidewater Band", "Harbour Lights (Bonus)", "Folk", 15);
    // Another order of string records: artist and album before the title.
    add("Backwards Glance", "Juniper & Lowe", "Paper Kites", "Pop", 4).order = {
        itdb::Artist, itdb::Album, itdb::FileType, itdb::Genre, itdb::Title, itdb::Location};

    for (std::size_t i = 0; i < list.size(); ++i) {
        itdb::Track &t = list[i];
        const int index = static_cast<int>(i);
        t.location = location(index);
        if (t.lengthMs == 0 && !t.title.startsWith(QLatin1String("Silence")))
            t.lengthMs = lengthFor(index);
    }
    return list;
}

QByteArray toneWav(double frequencyHz, int milliseconds)
{
    const int samples = SampleRate * milliseconds / 1000;
    const int fade = SampleRate / 50;  // 20 ms in and out, so the tone does not click
    QByteArray data;
    data.reserve(samples * 2);
    for (int i = 0; i < samples; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(samples - 1 - i) / fade});
        const double value = 0.4 * envelope * std::sin(2 * std::numbers::pi * frequencyHz * i / SampleRate);
        putU16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767))));
    }
    QByteArray wav("RIFF");
    putU32(wav, static_cast<std::uint32_t>(36 + data.size()));
    wav.append("WAVEfmt ");
    putU32(wav, 16);  // format chunk size
    putU16(wav, 1);   // PCM
    putU16(wav, 1);   // mono
    putU32(wav, SampleRate);
    putU32(wav, SampleRate * 2);  // bytes per second
    putU16(wav, 2);               // block align
    putU16(wav, 16);              // bits per sample
    wav.append("data");
    putU32(wav, static_cast<std::uint32_t>(data.size()));
    return wav + data;
}

QString write(const QString &root)
{
    QString error;
    const std::vector<itdb::Track> list = tracks();
    for (std::size_t i = 0; i < list.size(); ++i) {
        QString relative = list[i].location;
        relative.replace(QLatin1Char(':'), QLatin1Char('/'));
        // A semitone apart from A3 upwards, two octaves around.
        const double frequency = 220.0 * std::pow(2.0, double(i % 24) / 12.0);
        if (!writeFile(root + relative, toneWav(frequency, ToneMs), error))
            return error;
    }

    itdb::Database db;
    db.tracks = list;
    db.albumListFirst = true;
    if (!writeFile(root + QStringLiteral("/iPod_Control/iTunes/iTunesDB"), itdb::write(db), error))
        return error;

    // The player's own description files: sysinfo with LF line ends, DeviceInfo
    // starting with the length of the name, then the name and a tab.
    const QByteArray sysinfo = "BoardHwName: iPod Q98\n"
                               "pszSerialNumber: QS0000SAMPLE\n"
                               "ModelNumStr: MA002\n"
                               "buildID: 0x06108000 (1.2.1)\n"
                               "visibleBuildID: 0x01218000 (1.2.1)\n";
    const QByteArray name = "Quillory Sample";
    const QByteArray deviceInfo = char(name.size()) + name + "\tsample player folder\r\n";
    if (!writeFile(root + QStringLiteral("/iPod_Control/device/sysinfo"), sysinfo, error)
        || !writeFile(root + QStringLiteral("/iPod_Control/iTunes/DeviceInfo"), deviceInfo, error))
        return error;

    return writePictures(root);
}

}  // namespace sampleplayer
