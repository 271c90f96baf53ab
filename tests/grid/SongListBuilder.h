#pragma once

#include "device/SongList.h"

#include <initializer_list>
#include <utility>

// A song list made of tracks given as (field, value) lines in their order.
using TrackLines = std::initializer_list<std::pair<SongField, QString>>;

inline SongList makeSongList(std::initializer_list<TrackLines> tracks)
{
    SongList songs;
    for (const TrackLines &track : tracks) {
        songs.beginTrack();
        for (const auto &[field, value] : track)
            songs.append(field, value);
    }
    return songs;
}
