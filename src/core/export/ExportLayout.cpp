#include "core/export/ExportLayout.h"

#include "core/common/Blanks.h"

namespace {

// The name of the song's own file: the last part of its stored location.
QStringView ownFileName(QStringView location)
{
    const qsizetype slash =
        std::max({location.lastIndexOf(u'\\'), location.lastIndexOf(u'/'), location.lastIndexOf(u':')});
    return location.sliced(slash + 1);
}

QString orElse(const QString &text, const QString &fallback)
{
    return trimBlanks(text).isEmpty() ? fallback : text;
}

QString numberText(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

QString twoDigits(int value)
{
    return value > 0 ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')) : QString();
}

}  // namespace

ExportLayout::ExportLayout()
    : m_parts({{{Field::AlbumArtist, {}}}, {{Field::Album, {}}}, {{Field::Number, {}}, {Field::Title, {}}}})
{}

std::optional<ExportLayout> ExportLayout::fromTemplate(const QString &text, QString *error)
{
    static const QHash<QString, Field> fields{
        {QStringLiteral("title"), Field::Title},
        {QStringLiteral("artist"), Field::Artist},
        {QStringLiteral("albumartist"), Field::AlbumArtist},
        {QStringLiteral("album"), Field::Album},
        {QStringLiteral("genre"), Field::Genre},
        {QStringLiteral("composer"), Field::Composer},
        {QStringLiteral("year"), Field::Year},
        {QStringLiteral("track"), Field::Track},
        {QStringLiteral("disc"), Field::Disc},
    };
    const auto fail = [&](const QString &why) -> std::optional<ExportLayout> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    std::vector<Part> parts(1);
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'/') {
            parts.emplace_back();
            ++i;
        } else if (c == u'{') {
            const qsizetype close = text.indexOf(u'}', i);
            if (close < 0)
                return fail(QStringLiteral("the brace at character %1 is not closed").arg(i + 1));
            const QString name = text.sliced(i + 1, close - i - 1);
            const auto field = fields.constFind(name.toLower());
            if (field == fields.cend())
                return fail(QStringLiteral("unknown field {%1}").arg(name));
            parts.back().push_back({*field, {}});
            i = close + 1;
        } else {
            const qsizetype end = std::min(text.indexOf(u'/', i) < 0 ? text.size() : text.indexOf(u'/', i),
                                           text.indexOf(u'{', i) < 0 ? text.size() : text.indexOf(u'{', i));
            parts.back().push_back({Field::Text, text.sliced(i, end - i)});
            i = end;
        }
    }
    const Part &file = parts.back();
    if (std::none_of(file.begin(), file.end(), [](const Piece &p) { return p.field != Field::Text; }))
        return fail(QStringLiteral("the file name (after the last /) needs a field, such as {title}"));
    return ExportLayout(std::move(parts));
}

QString ExportLayout::value(const Piece &piece, const ExportSong &song)
{
    switch (piece.field) {
    case Field::Text: return piece.text;
    case Field::Title: {
        const QStringView own = ownFileName(song.location);
        const qsizetype dot = own.lastIndexOf(u'.');
        return orElse(song.title, (dot > 0 ? own.first(dot) : own).toString());
    }
    case Field::Artist: return orElse(song.artist, QStringLiteral("Unknown Artist"));
    case Field::AlbumArtist:
        return orElse(song.albumArtist,
                      song.compilation ? QStringLiteral("Various Artists")
                                       : orElse(song.artist, QStringLiteral("Unknown Artist")));
    case Field::Album: return orElse(song.album, QStringLiteral("Unknown Album"));
    case Field::Genre: return song.genre;
    case Field::Composer: return song.composer;
    case Field::Year: return numberText(song.year);
    case Field::Track: return twoDigits(song.track);
    case Field::Disc: return numberText(song.disc);
    case Field::Number:
        if (song.track <= 0)
            return {};
        return (song.discCount > 1 && song.disc > 0 ? QString::number(song.disc) + u'-' : QString())
            + twoDigits(song.track) + u' ';
    }
    return {};
}

ExportLayout::Path ExportLayout::path(const ExportSong &song) const
{
    Path result;
    for (std::size_t p = 0; p < m_parts.size(); ++p) {
        QString text;
        for (const Piece &piece : m_parts[p])
            text += value(piece, song);
        if (p + 1 < m_parts.size()) {
            if (!trimBlanks(text).isEmpty())
                result.folders << safeExportName(text);
            continue;
        }
        const QStringView own = ownFileName(song.location);
        const qsizetype dot = own.lastIndexOf(u'.');
        const QString extension = dot > 0 ? u'.' + safeExportName(own.sliced(dot + 1).toString().toLower()) : QString();
        const QString stem = safeExportName(text);
        result.file = {stem + extension, extension.size(), false};
    }
    return result;
}

DestinationNames &ExportPaths::namesIn(const QString &foldedFolder)
{
    auto found = m_names.find(foldedFolder);
    if (found == m_names.end())
        found = m_names.emplace(foldedFolder, DestinationNames(m_maxBytes)).first;
    return found->second;
}

QString ExportPaths::claim(const ExportLayout::Path &path)
{
    QString folder;  // as spelt
    QString folded;
    for (const QString &name : path.folders) {
        const QString key = folded + u'/' + name.toCaseFolded();
        auto known = m_folders.constFind(key);
        if (known == m_folders.cend()) {
            const QString spelt = namesIn(folded).claim({name, 0, false});
            known = m_folders.insert(key, folder.isEmpty() ? spelt : folder + u'/' + spelt);
            if (spelt != name)  // the name was a file's: the folder goes under its own spelling too
                m_folders.insert(folded + u'/' + spelt.toCaseFolded(), *known);
        }
        folder = *known;
        folded = key;
    }
    const QString file = namesIn(folded).claim(path.file);
    return folder.isEmpty() ? file : folder + u'/' + file;
}
