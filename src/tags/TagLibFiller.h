#pragma once

#include "core/export/TagFiller.h"

// Fills tags with TagLib into MP3 (ID3v2), MPEG-4 (.m4a .m4b .m4p .mp4), AIFF
// and WAV copies; other files stay as they are. Only fields for which the
// file has no text are written; every other tag and frame is kept.
class TagLibFiller : public TagFiller
{
public:
    void fillTags(int fd, const QString &extension, const ExportSong &song) override;
};
