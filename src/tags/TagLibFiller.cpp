#include "tags/TagLibFiller.h"

#include <taglib/aifffile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

#include <unistd.h>

#include <memory>

namespace {

TagLib::String text(const QString &value)
{
    return TagLib::String(value.toUtf8().toStdString(), TagLib::String::UTF8);
}

std::unique_ptr<TagLib::File> openTagged(TagLib::IOStream *stream, const QString &extension)
{
    const QString ext = extension.toLower();
    if (ext == u".mp3")
        return std::make_unique<TagLib::MPEG::File>(stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (ext == u".m4a" || ext == u".m4b" || ext == u".m4p" || ext == u".mp4")
        return std::make_unique<TagLib::MP4::File>(stream, false);
    if (ext == u".aif" || ext == u".aiff")
        return std::make_unique<TagLib::RIFF::AIFF::File>(stream, false);
    if (ext == u".wav")
        return std::make_unique<TagLib::RIFF::WAV::File>(stream, false);
    return nullptr;
}

// Adds the value under the key when the file has no text there.
bool fill(TagLib::PropertyMap &properties, const char *key, const QString &value)
{
    if (value.trimmed().isEmpty())
        return false;
    const auto found = properties.find(key);
    if (found != properties.end() && !found->second.isEmpty() && !found->second.front().isEmpty())
        return false;
    properties.replace(key, TagLib::StringList(text(value)));
    return true;
}

QString number(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

bool save(TagLib::File &file)
{
    if (auto *mpeg = dynamic_cast<TagLib::MPEG::File *>(&file))
        return mpeg->save(TagLib::MPEG::File::AllTags, TagLib::File::StripNone, TagLib::ID3v2::v4,
                          TagLib::File::DoNotDuplicate);
    return file.save();
}

}  // namespace

void TagLibFiller::fillTags(int fd, const QString &extension, const ExportSong &song)
{
    // The stream closes what it is given: it gets a descriptor of its own.
    const int own = ::dup(fd);
    if (own < 0)
        return;
    TagLib::FileStream stream(own, false);
    if (!stream.isOpen() || stream.readOnly())
        return;
    const std::unique_ptr<TagLib::File> file = openTagged(&stream, extension);
    if (!file || !file->isValid())
        return;
    TagLib::PropertyMap properties = file->properties();
    bool changed = false;
    changed |= fill(properties, "TITLE", song.title);
    changed |= fill(properties, "ARTIST", song.artist);
    changed |= fill(properties, "ALBUMARTIST", song.albumArtist);
    changed |= fill(properties, "ALBUM", song.album);
    changed |= fill(properties, "GENRE", song.genre);
    changed |= fill(properties, "COMPOSER", song.composer);
    changed |= fill(properties, "DATE", number(song.year));
    changed |= fill(properties, "TRACKNUMBER", number(song.track));
    const QString disc =
        song.disc > 0 && song.discCount > 0 ? number(song.disc) + u'/' + number(song.discCount) : number(song.disc);
    changed |= fill(properties, "DISCNUMBER", disc);
    if (!changed)
        return;
    file->setProperties(properties);
    save(*file);
}
