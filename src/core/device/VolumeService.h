#pragma once

#include <QString>

#include <vector>

// A mounted volume as the player detection sees it.
struct Volume
{
    QString rootPath;        // mount point, e.g. /media/anna/IPOD
    bool removable = false;  // removable medium or USB device
    bool floppy = false;     // floppy drives are never searched
};

// The mounted volumes, behind an interface so tests can pretend a folder is a
// removable volume.
class VolumeService
{
public:
    virtual ~VolumeService() = default;
    // In the order of their mount paths.
    virtual std::vector<Volume> volumes() const = 0;
};
