#pragma once

#include <QWidget>

class QGroupBox;
class QPushButton;
class QTextEdit;

// The help window: the text of one help section in a read-only box and a
// Close button. Modeless; deleted when it closes.
class frmhelp : public QWidget
{
    Q_OBJECT

public:
    explicit frmhelp(QWidget *parent = nullptr);

    // Shows the text, with its CR LF line ends as line breaks, in a window
    // sized to it.
    void setHelpText(const QString &text);
    QString helpText() const;

private:
    void fitToText(const QString &text);

    QGroupBox *m_frame1;
    QTextEdit *m_text1;
    QPushButton *m_command1;
};
