// Writes a track database with libgpod, for checking that the reader takes in
// what the syncing libraries write.
//
// usage: quillory-gpodwriter OUTPUT < tracks.tsv
// Each line of standard input is one track, UTF-8, fields separated by tabs:
// title, artist, album, genre, file type, location (":iPod_Control:Music:..."),
// play length in milliseconds, track number.

#include <gpod/itdb.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
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

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillory-gpodwriter OUTPUT < tracks.tsv\n");
        return 1;
    }
    Itdb_iTunesDB *itdb = itdb_new();
    Itdb_Playlist *master = itdb_playlist_new("iPod", FALSE);
    itdb_playlist_set_mpl(master);
    itdb_playlist_add(itdb, master, -1);

    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() != 8) {
            std::fprintf(stderr, "line %d: expected 8 fields, found %zu\n", lineNumber, fields.size());
            itdb_free(itdb);
            return 1;
        }
        Itdb_Track *track = nullptr;
        try {
            track = trackFrom(fields);
        } catch (const std::exception &) {
            std::fprintf(stderr, "line %d: length and track number must be numbers\n", lineNumber);
            itdb_free(itdb);
            return 1;
        }
        itdb_track_add(itdb, track, -1);
        itdb_playlist_add_track(master, track, -1);
    }

    GError *error = nullptr;
    const gboolean written = itdb_write_file(itdb, argv[1], &error);
    if (!written) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], error ? error->message : "unknown error");
        g_clear_error(&error);
    }
    itdb_free(itdb);
    return written ? 0 : 1;
}
