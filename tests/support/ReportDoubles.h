#pragma once

#include "core/common/FileDialogService.h"
#include "core/common/PrintService.h"
#include "core/common/ProgressSink.h"
#include "core/common/UrlOpener.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Answers the save-file dialog with a set name (empty: cancelled) and keeps the filters asked with;
// the folder dialog is always cancelled.
class FakeFileDialog : public FileDialogService
{
public:
    QString getSaveFileName(const QString &filter) override
    {
        filters << filter;
        return answer;
    }
    QString getExistingFolder(const QString &) override { return {}; }

    QString answer;
    QStringList filters;
};

// Keeps the files it was asked to open; opening succeeds unless told otherwise.
class FakeUrlOpener : public UrlOpener
{
public:
    bool openFile(const QString &path) override
    {
        opened << path;
        return succeeds;
    }

    QStringList opened;
    bool succeeds = true;
};

// Keeps the texts it was asked to print and answers with a set outcome.
class FakePrinter : public PrintService
{
public:
    Result printText(const QString &text) override
    {
        asked << text;
        return answer;
    }

    QStringList asked;
    Result answer{Outcome::Printed, {}};
};

// Keeps every status text, the last maximum and every value shown; counts the
// yields, runs onYield at each and reports cancelled once cancelAfter yields
// have passed (never while it is negative).
class RecordingSink : public ProgressSink
{
public:
    void setProgressRange(qint64, qint64 max) override { maximum = max; }
    void setProgressValue(qint64 value) override { values.push_back(value); }
    void setStatusText(const QString &text) override { statuses << text; }
    void yield() override
    {
        ++yields;
        if (onYield)
            onYield();
    }
    bool cancelled() const override { return cancelAfter >= 0 && yields > cancelAfter; }

    qint64 maximum = -1;
    std::vector<qint64> values;
    QStringList statuses;
    int yields = 0;
    int cancelAfter = -1;
    std::function<void()> onYield;
};
