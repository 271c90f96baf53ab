#include "core/copy/CopyFiles.h"

#include "core/common/AppInfo.h"
#include "core/common/MessageService.h"
#include "core/common/PlayerPath.h"
#include "core/copy/CopyStorage.h"
#include "core/copy/SafeFileName.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"

#include <QDir>
#include <QFileInfo>

namespace {

MessageAnswer tell(const CopyRequest &request, const QString &text, MessageButtons buttons = MessageButtons::Ok)
{
    return request.messages.show(text, appTitle(), buttons, MessageIcon::None);
}

// The folder as an absolute path with "." and ".." resolved, and with
// symbolic links resolved as far as the folder exists.
QString resolvedFolder(const QString &folder)
{
    const QFileInfo info(QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(folder)));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

bool liesOnPlayer(const QString &folder, const QString &playerRoot)
{
    const QString path = resolvedFolder(folder);
    QString root = resolvedFolder(playerRoot);
    if (path == root)
        return true;
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return path.startsWith(root);
}

bool copyButtonEnabledAfter(CopyOutcome outcome)
{
    switch (outcome) {
    case CopyOutcome::Cancelled:
    case CopyOutcome::Failed:
    case CopyOutcome::Done: return true;
    case CopyOutcome::NothingTagged:
    case CopyOutcome::NoDestination:
    case CopyOutcome::DestinationOnPlayer: break;
    }
    return false;
}

CopyReport copyfiles(const CopyRequest &request)
{
    GridModel &grid = request.grid;
    CopyProgressSink &progress = request.progress;
    CopyReport report;

    int tagged = 0;
    for (int r = 1; r < grid.rows(); ++r) {
        if (isTagged(grid, r))
            ++tagged;
    }
    grid.setCurrentCell(grid.rows() - 1, GridColumn::Title);
    if (tagged == 0) {
        tell(request, QStringLiteral("Nothing to copy!"));
        report.outcome = CopyOutcome::NothingTagged;
        return report;
    }

    if (tell(request, signBlank(tagged) + QStringLiteral(" Files to Copy!"), MessageButtons::OkCancel)
        != MessageAnswer::Ok) {
        report.outcome = CopyOutcome::Cancelled;
        return report;
    }

    float progressMax = static_cast<float>(tagged);
    progress.setProgressValue(0);
    progress.setProgressMax(progressMax);
    progress.setProgressMin(0);

    const QString playerRoot = request.playerRoot.trimmed();
    const QString destination = request.destination.trimmed();
    if (destination.isEmpty()) {
        report.outcome = CopyOutcome::NoDestination;
        return report;
    }
    if (liesOnPlayer(destination, playerRoot)) {
        tell(request, QStringLiteral("Can't copy to iPod.."));
        report.outcome = CopyOutcome::DestinationOnPlayer;
        return report;
    }
    const QString folder = destinationFolder(destination);
    progress.setStatusText(QStringLiteral("Copying files...Please wait till copying is finished..."));

    DestinationNames names;
    for (int r = 1; r < grid.rows(); ++r) {
        if (request.yield)
            request.yield();
        grid.setCurrentCell(r, GridColumn::Title);
        if (!isTagged(grid, r))
            continue;
        const QString titleCell = grid.text(r, GridColumn::Title);
        grid.setCol(GridColumn::FileName);
        const QString fileCell = grid.text(r, GridColumn::FileName);

        const SafeName safe = safeFileName(titleCell, fileCell);
        if (safe.renamed)
            ++report.renamed;
        const CopyJob job{playerPath(playerRoot, fileCell.trimmed()), folder + names.claim(safe.name)};
        const CopyStorageResult stored = request.storage.copyToStorage(job);
        if (!stored.ok) {
            report.renamed = 0;
            report.errorText = stored.errorText;
            tell(request, QStringLiteral("Error Copying File. Check source file validity!"));
            progress.setProgressValue(0);
            report.outcome = CopyOutcome::Failed;
            return report;
        }
        ++report.copied;
        // Rows tagged during the copy can take the count past the first total.
        if (static_cast<float>(report.copied) > progressMax) {
            progressMax = static_cast<float>(report.copied);
            progress.setProgressMax(progressMax);
        }
        progress.setProgressValue(static_cast<float>(report.copied));
    }

    progress.setProgressValue(0);
    progress.setStatusText(QStringLiteral("Copying Done...! "));
    if (report.renamed > 0)
        tell(request, renamedFilesMessage(report.renamed));
    report.outcome = CopyOutcome::Done;
    return report;
}
