#pragma once

#include "cli/CliCommand.h"

// tracks: every field of every track; playlists: every playlist with its tracks.
CliCommand tracksCommand();
CliCommand playlistsCommand();
