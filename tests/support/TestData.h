#pragma once

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

// The real track databases live outside the project (QUILLORY_TESTDATA_DIR,
// set when the build is configured). A fresh clone has no such folder, so the
// tests that read them skip and say why; QUILLORY_REQUIRE_TESTDATA=1 in the
// environment turns the missing folder into a failure, for CI.

inline QString testDataPath(const QString &name)
{
    return QStringLiteral(QUILLORY_TESTDATA_DIR "/") + name;
}

// Ends the current test when the real track databases are missing: skipped,
// or failed when QUILLORY_REQUIRE_TESTDATA=1.
#define QUILLORY_NEEDS_TESTDATA()                                                                                      \
    do {                                                                                                               \
        if (!QDir(QStringLiteral(QUILLORY_TESTDATA_DIR)).exists()) {                                                   \
            const char *missing = "the real track databases are missing: no folder " QUILLORY_TESTDATA_DIR             \
                                  " (configure with -DQUILLORY_TESTDATA_DIR=FOLDER)";                                  \
            if (qgetenv("QUILLORY_REQUIRE_TESTDATA") == "1")                                                           \
                FAIL() << missing;                                                                                     \
            GTEST_SKIP() << missing;                                                                                   \
        }                                                                                                              \
    } while (false)
