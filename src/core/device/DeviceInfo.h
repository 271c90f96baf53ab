#pragma once

#include <QString>

// What the player says about itself, from its description files.
struct DeviceInfo
{
    QString infoText;             // "iPod Drive: " + root, CR LF, first line of sysinfo
    QString deviceName;           // from the first line of DeviceInfo; may be empty
    QString infoFrameCaption;     // " " + name + " "
    QString pictureFrameCaption;  // " " + name + " Photos "
    QString photosFolder;         // the player's photos folder; empty when it does not exist
};

// Reads the player's description files under the root (the trimmed player
// root). Missing, unreadable or empty files give empty lines; nothing is shown
// and nothing on the player is written.
DeviceInfo getpodinfo(const QString &root);

// The device name in a DeviceInfo first line: the first character dropped,
// then the rest up to and including its first tab; empty without a tab.
QString deviceNameFrom(const QString &firstLine);
