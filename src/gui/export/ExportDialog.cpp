#include "gui/export/ExportDialog.h"

#include "core/common/FileDialogService.h"
#include "core/common/MessageService.h"
#include "core/common/ProgressSink.h"
#include "core/common/UrlOpener.h"
#include "core/export/PlayerLibrary.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int previewSongs = 5;
constexpr int pollMs = 200;

// What the worker reports to: the window reads the counts on its own clock;
// Cancel is the flag it sets.
class WorkerProgress : public NoProgress
{
public:
    explicit WorkerProgress(const std::atomic<bool> &cancel)
        : m_cancel(cancel)
    {}
    bool cancelled() const override { return m_cancel.load(); }

private:
    const std::atomic<bool> &m_cancel;
};

QString bytesText(qint64 bytes)
{
    return QLocale::system().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QString timeText(qint64 seconds)
{
    return seconds >= 3600 ? QStringLiteral("%1:%2:%3")
                                 .arg(seconds / 3600)
                                 .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                           : QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

ExportDialog::ExportDialog(ExportLibrary library, const GridModel &grid, QString playerRoot, ExportServices services,
                           QWidget *parent)
    : QDialog(parent)
    , m_library(std::move(library))
    , m_grid(grid)
    , m_playerRoot(std::move(playerRoot))
    , m_services(services)
{
    setWindowTitle(QStringLiteral("Export Library"));
    m_destination = new QLineEdit(this);
    m_destination->setObjectName(QStringLiteral("destination"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_template = new QLineEdit(this);
    m_template->setObjectName(QStringLiteral("template"));
    m_template->setPlaceholderText(QStringLiteral("Album Artist/Album/NN Title (the default)"));
    m_template->setToolTip(QStringLiteral("Fields: {title} {artist} {albumartist} {album} {genre} {composer} {year} "
                                          "{track} {disc}; / between folders. The extension is added."));
    m_preview = new QPlainTextEdit(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setReadOnly(true);
    m_preview->setMaximumBlockCount(previewSongs + 1);
    m_onlyTagged = new QCheckBox(QStringLiteral("Only tagged songs"), this);
    m_fillTags = new QCheckBox(QStringLiteral("Fill in missing tags in the copies"), this);
    m_fillTags->setEnabled(m_services.tags != nullptr);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 1000);
    m_bar->setValue(0);
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_summary = new QLabel(this);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_unreadable = new QPlainTextEdit(this);
    m_unreadable->setObjectName(QStringLiteral("unreadable"));
    m_unreadable->setReadOnly(true);
    m_unreadable->hide();
    m_export = new QPushButton(QStringLiteral("Export"), this);
    m_export->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setEnabled(false);
    m_openFolder = new QPushButton(QStringLiteral("Open Folder"), this);
    m_openFolder->setEnabled(false);
    m_saveList = new QPushButton(QStringLiteral("Save List..."), this);
    m_saveList->setEnabled(false);
    m_close = new QPushButton(QStringLiteral("Close"), this);

    auto *destinationRow = new QHBoxLayout;
    destinationRow->addWidget(m_destination);
    destinationRow->addWidget(m_browse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Destination:"), destinationRow);
    form->addRow(QStringLiteral("Names:"), m_template);
    form->addRow(QStringLiteral("Preview:"), m_preview);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    buttons->addWidget(m_openFolder);
    buttons->addWidget(m_saveList);
    buttons->addWidget(m_close);
    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(form);
    layoutBox->addWidget(m_onlyTagged);
    layoutBox->addWidget(m_fillTags);
    layoutBox->addWidget(m_bar);
    layoutBox->addWidget(m_status);
    layoutBox->addWidget(m_summary);
    layoutBox->addWidget(m_unreadable);
    layoutBox->addLayout(buttons);

    m_poll = new QTimer(this);
    m_poll->setInterval(pollMs);
    connect(m_poll, &QTimer::timeout, this, &ExportDialog::showProgress);
    connect(m_destination, &QLineEdit::textChanged, this, &ExportDialog::updatePreview);
    connect(m_template, &QLineEdit::textChanged, this, &ExportDialog::updatePreview);
    connect(m_onlyTagged, &QCheckBox::toggled, this, &ExportDialog::updatePreview);
    connect(m_browse, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(m_export, &QPushButton::clicked, this, &ExportDialog::start);
    connect(m_cancel, &QPushButton::clicked, this, &ExportDialog::cancel);
    connect(m_close, &QPushButton::clicked, this, &ExportDialog::close);
    connect(m_openFolder, &QPushButton::clicked, this, [this] { m_services.opener.openFile(m_exportedTo); });
    connect(m_saveList, &QPushButton::clicked, this, &ExportDialog::saveList);
    updatePreview();
}

ExportDialog::~ExportDialog()
{
    if (m_thread) {
        m_cancelled = true;
        m_thread->wait();
    }
}

QString ExportDialog::summary() const
{
    return m_summary->text();
}

QStringList ExportDialog::preview() const
{
    return m_preview->toPlainText().split(u'\n', Qt::SkipEmptyParts);
}

std::optional<ExportLayout> ExportDialog::layout(QString *why) const
{
    const QString text = m_template->text().trimmed();
    if (text.isEmpty())
        return ExportLayout();
    return ExportLayout::fromTemplate(text, why);
}

std::vector<bool> ExportDialog::selection() const
{
    return m_onlyTagged->isChecked() ? taggedSongs(m_grid, m_library) : std::vector<bool>{};
}

void ExportDialog::updatePreview()
{
    QString why;
    const std::optional<ExportLayout> names = layout(&why);
    if (!names) {
        m_preview->setPlainText(QStringLiteral("The names cannot be made: ") + why);
        m_export->setEnabled(false);
        return;
    }
    m_export->setEnabled(!running() && !m_destination->text().trimmed().isEmpty());
    const std::vector<bool> selected = selection();
    const QString folder = m_destination->text().trimmed();
    ExportPaths paths;
    QStringList lines;
    for (qsizetype i = 0; i < m_library.songCount && lines.size() < previewSongs; ++i) {
        if (!selected.empty() && !selected[static_cast<std::size_t>(i)])
            continue;
        const QString path = paths.claim(names->path(m_library.song(i)));
        lines << (folder.isEmpty() ? path : QDir(folder).filePath(path));
    }
    m_preview->setPlainText(lines.join(u'\n'));
}

void ExportDialog::browse()
{
    const QString folder = m_services.dialogs.getExistingFolder(m_destination->text());
    if (!folder.isEmpty())
        m_destination->setText(folder);
}

void ExportDialog::start()
{
    if (running())
        return;
    QString why;
    const std::optional<ExportLayout> names = layout(&why);
    if (!names || m_destination->text().trimmed().isEmpty())
        return;
    ExportOptions options;
    options.destination = m_destination->text().trimmed();
    options.playerRoot = m_playerRoot;
    options.layout = *names;
    options.selected = selection();
    if (m_onlyTagged->isChecked()
        && std::find(options.selected.begin(), options.selected.end(), true) == options.selected.end()) {
        m_services.messages.show(QStringLiteral("No song is tagged."), windowTitle(), MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    TagFiller *tags = m_fillTags->isChecked() ? m_services.tags : nullptr;
    m_exportedTo = QDir(QDir::currentPath()).absoluteFilePath(options.destination);

    m_cancelled = false;
    m_tally = {};
    m_summary->clear();
    m_unreadable->clear();
    m_unreadable->hide();
    m_openFolder->setEnabled(false);
    m_saveList->setEnabled(false);
    for (QWidget *control : std::initializer_list<QWidget *>{m_export, m_destination, m_browse, m_template,
                                                             m_onlyTagged, m_fillTags, m_close})
        control->setEnabled(false);
    m_cancel->setEnabled(true);
    m_bar->setValue(0);
    m_status->setText(QStringLiteral("Looking at the songs..."));
    m_clock.start();

    m_thread = QThread::create([this, options = std::move(options), tags]() mutable {
        WorkerProgress progress(m_cancelled);
        m_report = exportLibrary({.library = m_library,
                                  .options = std::move(options),
                                  .storage = m_services.storage,
                                  .tags = tags,
                                  .progress = progress,
                                  .onSong = [this](const ExportTally &tally) {
                                      const QMutexLocker lock(&m_mutex);
                                      m_tally = tally;
                                  }});
    });
    connect(m_thread, &QThread::finished, this, &ExportDialog::done);
    m_thread->start();
    m_poll->start();
}

void ExportDialog::cancel()
{
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_status->setText(QStringLiteral("Stopping after the current song..."));
}

void ExportDialog::showProgress()
{
    ExportTally tally;
    {
        const QMutexLocker lock(&m_mutex);
        tally = m_tally;
    }
    if (tally.songs == 0)
        return;
    m_bar->setValue(tally.bytes > 0 ? static_cast<int>(tally.bytesDone * 1000 / tally.bytes) : 0);
    const qint64 elapsedMs = std::max<qint64>(m_clock.elapsed(), 1);
    const qint64 rate = tally.bytesDone * 1000 / elapsedMs;
    QString text = QStringLiteral("%1 of %2 songs, %3 of %4, %5/s")
                       .arg(tally.done)
                       .arg(tally.songs)
                       .arg(bytesText(tally.bytesDone), bytesText(tally.bytes), bytesText(rate));
    if (rate > 0)
        text += QStringLiteral(", %1 left").arg(timeText((tally.bytes - tally.bytesDone) / rate));
    if (!m_cancelled)
        m_status->setText(text);
}

void ExportDialog::done()
{
    m_poll->stop();
    m_thread->deleteLater();
    m_thread = nullptr;
    const ExportTally &t = m_report.tally;
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_export, m_destination, m_browse, m_template, m_onlyTagged, m_close})
        control->setEnabled(true);
    m_fillTags->setEnabled(m_services.tags != nullptr);
    m_cancel->setEnabled(false);
    {
        const QMutexLocker lock(&m_mutex);
        m_tally = t;
    }
    showProgress();
    const QString time = timeText(m_clock.elapsed() / 1000);
    QString text;
    switch (m_report.outcome) {
    case ExportOutcome::DestinationOnPlayer:
        text = QStringLiteral("The library cannot be exported to the player.");
        break;
    case ExportOutcome::DestinationFailed:
        text = QStringLiteral("The export stopped: %1").arg(m_report.errorText);
        break;
    case ExportOutcome::Cancelled: text = QStringLiteral("Cancelled. "); [[fallthrough]];
    case ExportOutcome::Done:
    case ExportOutcome::SomeUnreadable:
        text += QStringLiteral("Exported: %1. Already there: %2. Could not be read: %3. Time: %4.")
                    .arg(t.copied)
                    .arg(t.alreadyThere)
                    .arg(t.unreadable)
                    .arg(time);
        break;
    }
    m_summary->setText(text);
    m_status->setText(m_report.outcome == ExportOutcome::Cancelled ? QStringLiteral("Cancelled")
                                                                   : QStringLiteral("Done"));
    m_openFolder->setEnabled(QDir(m_exportedTo).exists() && m_report.outcome != ExportOutcome::DestinationOnPlayer);
    if (!m_report.unreadable.isEmpty()) {
        m_unreadable->setPlainText(m_report.unreadable.join(u'\n'));
        m_unreadable->show();
        m_saveList->setEnabled(true);
    }
    emit exportFinished();
    if (m_closeWhenDone)
        close();
}

void ExportDialog::saveList()
{
    const QString path = m_services.dialogs.getSaveFileName(QStringLiteral("Text Files (*.txt)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray text = (m_report.unreadable.join(u'\n') + u'\n').toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        m_services.messages.show(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()), windowTitle(),
                                 MessageButtons::Ok, MessageIcon::Critical);
}

void ExportDialog::reject()
{
    if (running()) {
        // Closes once the current song is done; nothing is left half copied.
        m_closeWhenDone = true;
        cancel();
        return;
    }
    QDialog::reject();
}
