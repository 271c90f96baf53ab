// Writes and reads track databases with libgpod, for checking that the reader
// takes in what the syncing libraries write, and for timing the reader against
// libgpod on the same files.
//
// usage: quillory-gpodwriter OUTPUT < tracks.tsv
//   Each line of standard input is one track, UTF-8, fields separated by tabs:
//   title, artist, album, genre, file type, location (":iPod_Control:Music:..."),
//   play length in milliseconds, track number.
// usage: quillory-gpodwriter --generate COUNT OUTPUT
//   Writes COUNT generated tracks with realistic texts (2,500 artists, a few
//   albums each, eight genres).
//   Every field the library reads is set too, and 25 playlists beside the master.
// usage: quillory-gpodwriter --full OUTPUT < library.tsv
//   Writes every field the library reads and playlists. Lines of standard input,
//   UTF-8, fields separated by tabs:
//     track, then title, artist, album artist, album, genre, composer, comment,
//     file type, track number, track count, disc number, disc count, year, length
//     in ms, rating, play count, skip count, last played and date added (Unix
//     seconds, 0 for never), bitrate, sample rate, size, compilation (0 or 1),
//     media type, location;
//     playlist, then its name, "podcast" or "-", and its tracks as 0-based
//     indices into the track lines, separated by blanks.
// usage: quillory-gpodwriter --print DATABASE
//   Parses the database and prints every track's fields, one track a line.
// usage: quillory-gpodwriter --print-library PLAYER
//   Parses the player's database as libgpod does for a mounted player (with the
//   plays of its Play Counts file) and prints "track" lines with the tracks
//   listing's fields in its formats (dates ISO 8601 UTC or null, locations with
//   '\\'), then "playlist" lines: name, master and podcast flags (0 or 1), track
//   indices.

#include <gpod/itdb.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> splitTabs(const std::string &line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t')
        fields.emplace_back();
    return fields;
}

Itdb_Track *trackFrom(const std::vector<std::string> &f)
{
    Itdb_Track *track = itdb_track_new();
    track->title = g_strdup(f[0].c_str());
    track->artist = g_strdup(f[1].c_str());
    track->album = g_strdup(f[2].c_str());
    track->genre = g_strdup(f[3].c_str());
    track->filetype = g_strdup(f[4].c_str());
    track->ipod_path = g_strdup(f[5].c_str());
    track->tracklen = static_cast<gint32>(std::stoul(f[6]));
    track->track_nr = static_cast<gint32>(std::stoul(f[7]));
    return track;
}

// A database with its master playlist, to which tracks are added.
struct Database
{
    Itdb_iTunesDB *itdb = itdb_new();
    Itdb_Playlist *master = itdb_playlist_new("iPod", FALSE);

    Database()
    {
        itdb_playlist_set_mpl(master);
        itdb_playlist_add(itdb, master, -1);
    }
    ~Database() { itdb_free(itdb); }
    guint64 m_added = 0;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Adds at the front: appending walks the whole list each time. A track given its
    // ids spares libgpod a search of all tracks for free ones.
    void prepend(Itdb_Track *track)
    {
        ++m_added;
        track->id = m_added;
        track->dbid = 0x5155494C00000000ull + m_added;
        itdb_track_add(itdb, track, 0);
        itdb_playlist_add_track(master, track, 0);
    }

    // A playlist of the given tracks (in the order added), after the others.
    void addPlaylist(const char *name, bool podcast, const std::vector<Itdb_Track *> &tracks)
    {
        Itdb_Playlist *list = itdb_playlist_new(name, FALSE);
        if (podcast)
            itdb_playlist_set_podcasts(list);
        itdb_playlist_add(itdb, list, -1);
        for (auto t = tracks.rbegin(); t != tracks.rend(); ++t)
            itdb_playlist_add_track(list, *t, 0);
    }

    int write(const char *path)
    {
        GError *error = nullptr;
        if (itdb_write_file(itdb, path, &error))
            return 0;
        std::fprintf(stderr, "cannot write %s: %s\n", path, error ? error->message : "unknown error");
        g_clear_error(&error);
        return 1;
    }
};

int writeFromInput(const char *path)
{
    std::vector<Itdb_Track *> tracks;
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        const std::vector<std::string> fields = splitTabs(line);
        const char *problem = fields.size() != 8 ? "expected 8 fields" : nullptr;
        if (!problem) {
            try {
                tracks.push_back(trackFrom(fields));
            } catch (const std::exception &) {
                problem = "length and track number must be numbers";
            }
        }
        if (problem) {
            std::fprintf(stderr, "line %d: %s\n", lineNumber, problem);
            for (Itdb_Track *t : tracks)
                itdb_track_free(t);
            return 1;
        }
    }
    Database db;
    for (auto t = tracks.rbegin(); t != tracks.rend(); ++t)
        db.prepend(*t);
    return db.write(path);
}

int writeGenerated(long count, const char *path)
{
    static const char *const genres[] = {"Rock",    "Pop",        "Jazz", "Classical",
                                         "Hip-Hop", "Electronic", "Folk", "Soundtrack"};
    std::mt19937 random(1234);
    Database db;
    std::vector<Itdb_Track *> tracks(static_cast<std::size_t>(std::max(count, 0L)));
    for (long i = count - 1; i >= 0; --i) {
        const unsigned artist = random() % 2500;
        Itdb_Track *t = itdb_track_new();
        t->title = g_strdup_printf("Song number %ld of the collection (Remastered %ld)", i, 1990 + i % 30);
        t->artist = g_strdup_printf("The Artist Ensemble %u", artist);
        t->album = g_strdup_printf("Greatest Recordings, Volume %ld", artist * 3 + i % 3);
        t->genre = g_strdup(genres[random() % std::size(genres)]);
        t->filetype = g_strdup(i % 4 == 0 ? "AAC audio file" : "MPEG audio file");
        t->ipod_path = g_strdup_printf(":iPod_Control:Music:F%02ld:S%06lX.mp3", i % 50, i);
        t->tracklen = static_cast<gint32>(90000 + random() % 400000);
        t->track_nr = static_cast<gint32>(i % 15 + 1);
        t->compilation = i % 20 == 0;
        t->albumartist = g_strdup(t->compilation ? "Various Artists" : t->artist);
        t->composer = g_strdup_printf("Composer %u", artist % 700);
        if (i % 3 == 0)
            t->comment = g_strdup_printf("Bought in %ld, ripped at home", 1995 + i % 25);
        t->tracks = 15;
        t->cd_nr = 1;
        t->cds = 1 + static_cast<gint32>(i % 2);
        t->year = static_cast<gint32>(1960 + i % 60);
        t->rating = static_cast<guint32>(i % 6) * 20;
        t->playcount = static_cast<guint32>(i % 50);
        t->skipcount = static_cast<guint32>(i % 7);
        t->time_played = i % 4 == 0 ? 0 : 1300000000 + i * 600;
        t->time_added = 1200000000 + i * 60;
        t->bitrate = 256;
        t->samplerate = 44100;
        t->size = static_cast<guint32>(3000000 + random() % 9000000);
        t->mediatype = 1;
        db.prepend(t);
        tracks[static_cast<std::size_t>(i)] = t;
    }
    // 25 playlists, each of every 25th track from a different start.
    for (long p = 0; p < 25; ++p) {
        std::vector<Itdb_Track *> members;
        for (long i = p; i < count; i += 25)
            members.push_back(tracks[static_cast<std::size_t>(i)]);
        const std::string name = "Playlist " + std::to_string(p + 1);
        db.addPlaylist(name.c_str(), false, members);
    }
    return db.write(path);
}

int printTracks(const char *path)
{
    GError *error = nullptr;
    Itdb_iTunesDB *itdb = itdb_parse_file(path, &error);
    if (!itdb) {
        std::fprintf(stderr, "cannot parse %s: %s\n", path, error ? error->message : "unknown error");
        g_clear_error(&error);
        return 1;
    }
    for (const GList *l = itdb->tracks; l; l = l->next) {
        const auto *t = static_cast<const Itdb_Track *>(l->data);
        const int seconds = (t->tracklen + 500) / 1000;
        std::printf("%s\t%d:%02d\t%s\t%s\t%s\t%s\t%d\t%s\n", t->title ? t->title : "", seconds / 60, seconds % 60,
                    t->artist ? t->artist : "", t->album ? t->album : "", t->genre ? t->genre : "",
                    t->filetype ? t->filetype : "", t->track_nr, t->ipod_path ? t->ipod_path : "");
    }
    itdb_free(itdb);
    return 0;
}

// One "track" line of --full input (the fields after the word "track").
Itdb_Track *fullTrackFrom(const std::vector<std::string> &f)
{
    const auto number = [&](std::size_t i) { return std::stoul(f[i]); };
    Itdb_Track *t = itdb_track_new();
    t->title = g_strdup(f[0].c_str());
    t->artist = g_strdup(f[1].c_str());
    t->albumartist = g_strdup(f[2].c_str());
    t->album = g_strdup(f[3].c_str());
    t->genre = g_strdup(f[4].c_str());
    t->composer = g_strdup(f[5].c_str());
    t->comment = g_strdup(f[6].c_str());
    t->filetype = g_strdup(f[7].c_str());
    t->track_nr = static_cast<gint32>(number(8));
    t->tracks = static_cast<gint32>(number(9));
    t->cd_nr = static_cast<gint32>(number(10));
    t->cds = static_cast<gint32>(number(11));
    t->year = static_cast<gint32>(number(12));
    t->tracklen = static_cast<gint32>(number(13));
    t->rating = static_cast<guint32>(number(14));
    t->playcount = static_cast<guint32>(number(15));
    t->skipcount = static_cast<guint32>(number(16));
    t->time_played = static_cast<time_t>(number(17));
    t->time_added = static_cast<time_t>(number(18));
    t->bitrate = static_cast<gint32>(number(19));
    t->samplerate = static_cast<guint16>(number(20));
    t->size = static_cast<guint32>(number(21));
    t->compilation = number(22) != 0;
    t->mediatype = static_cast<guint32>(number(23));
    t->ipod_path = g_strdup(f[24].c_str());
    return t;
}

int writeFull(const char *path)
{
    Database db;
    std::vector<Itdb_Track *> tracks;
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        std::vector<std::string> fields = splitTabs(line);
        try {
            if (fields.size() == 26 && fields[0] == "track") {
                fields.erase(fields.begin());
                tracks.push_back(fullTrackFrom(fields));
                db.prepend(tracks.back());
                continue;
            }
            if (fields.size() == 4 && fields[0] == "playlist") {
                std::vector<Itdb_Track *> members;
                std::istringstream indices(fields[3]);
                for (unsigned long i = 0; indices >> i;)
                    members.push_back(tracks.at(i));
                db.addPlaylist(fields[1].c_str(), fields[2] == "podcast", members);
                continue;
            }
        } catch (const std::exception &) {
        }
        std::fprintf(stderr, "line %d: not a track of 26 fields or a playlist of 4 with known tracks\n", lineNumber);
        return 1;
    }
    // prepend put the tracks in reverse; the master lists them in the order given.
    db.itdb->tracks = g_list_reverse(db.itdb->tracks);
    db.master->members = g_list_reverse(db.master->members);
    return db.write(path);
}

std::string text(const gchar *value)
{
    std::string out = value ? value : "";
    return out;
}

std::string dateText(time_t when)
{
    if (when == 0)
        return "null";
    char buffer[32];
    std::tm parts{};
    gmtime_r(&when, &parts);
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return buffer;
}

int printLibrary(const char *player)
{
    GError *error = nullptr;
    Itdb_iTunesDB *itdb = itdb_parse(player, &error);
    if (!itdb) {
        std::fprintf(stderr, "cannot parse %s: %s\n", player, error ? error->message : "unknown error");
        g_clear_error(&error);
        return 1;
    }
    std::map<const Itdb_Track *, long> index;
    for (const GList *l = itdb->tracks; l; l = l->next) {
        const auto *t = static_cast<const Itdb_Track *>(l->data);
        index.emplace(t, static_cast<long>(index.size()));
        std::string location = text(t->ipod_path);
        for (char &c : location)
            c = c == ':' ? '\\' : c;
        std::printf("track\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%d\t%u\t%u\t%u\t%s\t%s\t%d\t%u\t%u\t%"
                    "s\t%u\t%s\t%llu\n",
                    text(t->title).c_str(), text(t->artist).c_str(), text(t->albumartist).c_str(),
                    text(t->album).c_str(), text(t->genre).c_str(), text(t->composer).c_str(), text(t->comment).c_str(),
                    text(t->filetype).c_str(), t->track_nr, t->tracks, t->cd_nr, t->cds, t->year, t->tracklen,
                    t->rating, t->playcount, t->skipcount, dateText(t->time_played).c_str(),
                    dateText(t->time_added).c_str(), t->bitrate, static_cast<unsigned>(t->samplerate), t->size,
                    t->compilation ? "true" : "false", t->mediatype, location.c_str(),
                    static_cast<unsigned long long>(t->dbid));
    }
    for (const GList *l = itdb->playlists; l; l = l->next) {
        const auto *p = static_cast<const Itdb_Playlist *>(l->data);
        std::string members;
        for (const GList *m = p->members; m; m = m->next)
            members +=
                (members.empty() ? "" : " ") + std::to_string(index.at(static_cast<const Itdb_Track *>(m->data)));
        std::printf("playlist\t%s\t%d\t%d\t%s\n", text(p->name).c_str(),
                    itdb_playlist_is_mpl(const_cast<Itdb_Playlist *>(p)) ? 1 : 0,
                    itdb_playlist_is_podcasts(const_cast<Itdb_Playlist *>(p)) ? 1 : 0, members.c_str());
    }
    itdb_free(itdb);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && mode == "--generate")
        return writeGenerated(std::strtol(argv[2], nullptr, 10), argv[3]);
    if (argc == 3 && mode == "--print")
        return printTracks(argv[2]);
    if (argc == 3 && mode == "--full")
        return writeFull(argv[2]);
    if (argc == 3 && mode == "--print-library")
        return printLibrary(argv[2]);
    if (argc == 2 && mode.rfind("--", 0) != 0)
        return writeFromInput(argv[1]);
    std::fprintf(stderr,
                 "usage: quillory-gpodwriter OUTPUT < tracks.tsv\n"
                 "       quillory-gpodwriter --generate COUNT OUTPUT\n"
                 "       quillory-gpodwriter --full OUTPUT < library.tsv\n"
                 "       quillory-gpodwriter --print DATABASE\n"
                 "       quillory-gpodwriter --print-library PLAYER\n");
    return 1;
}
