#pragma once

#include "core/device/VolumeService.h"

#include <vector>

// A volume list that holds what the test puts in it (nothing by default).
class FakeVolumes : public VolumeService
{
public:
    std::vector<Volume> volumes() const override { return list; }
    std::vector<Volume> list;
};
