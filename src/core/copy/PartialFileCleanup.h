#pragma once

#include <QString>

// While it lives, an interrupt, terminate or hang-up signal first removes the
// file at the path (a copy not yet complete, or not yet under its name) and
// then takes its usual course, so
// the process ends as it would have without leaving the file behind. A
// signal that the process ignores stays ignored. One at a time: the program
// writes one copy at a time.
class PartialFileCleanup
{
public:
    explicit PartialFileCleanup(const QString &path);
    ~PartialFileCleanup();
    PartialFileCleanup(const PartialFileCleanup &) = delete;
    PartialFileCleanup &operator=(const PartialFileCleanup &) = delete;

private:
    bool m_installed[3] = {};
};

// Removes the hidden partial files (".quillory-<16 hex digits>.part") that a
// copy killed before it could remove them left in the folder. A partial file
// is locked while it is written, so one that another copy is writing stays.
void removeStalePartialFiles(const QString &folder);
