#pragma once

#include <QWidget>

class MessageService;
class QPushButton;
class QTextEdit;

// The agreement window: the end-user agreement in a read-only box and an
// Exit button. Creating it shows the notice that asks the user to read the
// agreement first; the window shows after that. Deleted when it closes.
class frmdisclaimer : public QWidget
{
    Q_OBJECT

public:
    explicit frmdisclaimer(MessageService &messages, QWidget *parent = nullptr);

    QString agreement() const;

public slots:
    void Command1_Click();

private:
    QTextEdit *m_Text1;
    QPushButton *m_Command1;
};
