#pragma once

#include "core/device/SongList.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"

#include <QString>

#include <memory>
#include <vector>

// One track as the reader would list it; empty fields give no line (the
// length and the file location excepted, which every track has).
struct SongFields
{
    QString title{};
    QString length = QStringLiteral("3:00");
    QString artist{};
    QString album{};
    QString genre{};
    QString file{};
};

// A song list, the grid filled from it and the play time total, as Connect
// leaves them.
struct SongLibrary
{
    explicit SongLibrary(const std::vector<SongFields> &tracks);

    SongList songs;
    std::unique_ptr<GridModel> grid = std::make_unique<GridModel>();
    PlayTimeBoxes total;
};
