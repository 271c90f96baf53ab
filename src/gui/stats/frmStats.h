#pragma once

#include <QWidget>

class MessageService;
class PrintService;
class ProgressSink;
class QPlainTextEdit;
class QPushButton;
struct StatsInput;

// The statistics window: the report in a text box that shows once the report
// is complete, a Print and an Exit button. Modeless; deleted when it closes.
class frmStats : public QWidget
{
    Q_OBJECT

public:
    frmStats(MessageService &messages, PrintService &printer, QWidget *parent = nullptr);

    // Sets the caption and computes the report from the main window's song
    // list and grid (List2 is the main window's unique-artist list). A report
    // that ends early shows "Error!" and leaves the text box hidden.
    void Form_Load(const StatsInput &input, QStringList &List2, ProgressSink &progress);

    // The report as the text box holds it, lines separated by LF.
    QString reportText() const;

private slots:
    void Command1_Click();
    void Command2_Click();

private:
    MessageService &m_messages;
    PrintService &m_printer;
    QString m_report;  // with CR LF line ends
    QPlainTextEdit *stats;
    QPushButton *Command2;
    QPushButton *Command1;
};
