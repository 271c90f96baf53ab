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
// usage: quillory-gpodwriter --print DATABASE
//   Parses the database and prints every track's fields, one track a line.

#include <gpod/itdb.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
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
        db.prepend(t);
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

}  // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && mode == "--generate")
        return writeGenerated(std::strtol(argv[2], nullptr, 10), argv[3]);
    if (argc == 3 && mode == "--print")
        return printTracks(argv[2]);
    if (argc == 2 && mode.rfind("--", 0) != 0)
        return writeFromInput(argv[1]);
    std::fprintf(stderr,
                 "usage: quillory-gpodwriter OUTPUT < tracks.tsv\n"
                 "       quillory-gpodwriter --generate COUNT OUTPUT\n"
                 "       quillory-gpodwriter --print DATABASE\n");
    return 1;
}
