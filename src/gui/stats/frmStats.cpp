#include "gui/stats/frmStats.h"

#include "core/common/AppInfo.h"
#include "core/common/MessageService.h"
#include "core/stats/StatsReport.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmStats::frmStats(MessageService &messages, PrintService &printer, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_messages(messages)
    , m_printer(printer)
    , stats(new QPlainTextEdit(this))
    , Command2(new QPushButton(QStringLiteral("Print"), this))
    , Command1(new QPushButton(QStringLiteral("Exit"), this))
{
    setObjectName(QStringLiteral("frmStats"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(appTitle() + QStringLiteral(" Staistics"));
    stats->setObjectName(QStringLiteral("stats"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setObjectName(QStringLiteral("Command1"));
    stats->setReadOnly(true);
    stats->setFont(QFont(QStringLiteral("Times New Roman"), 11));
    stats->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(stats, 1);
    layout->addLayout(buttons);
    resize(520, 440);

    connect(Command2, &QPushButton::clicked, this, &frmStats::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmStats::Command1_Click);
}

void frmStats::Form_Load(const StatsInput &input, QStringList &List2, ProgressSink &progress)
{
    // Computed in one go, without letting window events run: a second
    // Statistics command meanwhile would find no window yet and open another.
    setWindowTitle(QStringLiteral("Stats for: ") + input.infoFrameCaption);
    const StatsReport report = getinfo(input, List2, progress);
    m_report = report.text;
    stats->setPlainText(withLineFeeds(m_report));
    if (!report.complete) {
        m_messages.show(QStringLiteral("Error!"), appTitle());
        return;
    }
    stats->show();
}

QString frmStats::reportText() const
{
    return stats->toPlainText();
}

void frmStats::Command1_Click()
{
    close();
}

void frmStats::Command2_Click()
{
    printReport(m_report, m_messages, m_printer);
}
