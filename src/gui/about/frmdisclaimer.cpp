#include "gui/about/frmdisclaimer.h"

#include "core/about/AboutTexts.h"
#include "core/common/AppInfo.h"
#include "core/common/MessageService.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

frmdisclaimer::frmdisclaimer(MessageService &messages, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_Text1(new QTextEdit(this))
    , m_Command1(new QPushButton(QStringLiteral("Exit"), this))
{
    setObjectName(QStringLiteral("frmdisclaimer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(appTitle() + QStringLiteral(" - User License Agreement"));
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Text1->setReadOnly(true);
    m_Text1->setFont(QFont(QStringLiteral("Times New Roman"), 11));
    QString text = agreementText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_Text1->setPlainText(text);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_Text1, 1);
    layout->addWidget(m_Command1, 0, Qt::AlignRight);
    resize(560, 440);
    connect(m_Command1, &QPushButton::clicked, this, &frmdisclaimer::Command1_Click);

    // Form_Load: the notice comes before the window.
    messages.show(agreementNotice(), appTitle(), MessageButtons::Ok, MessageIcon::None);
}

QString frmdisclaimer::agreement() const
{
    return m_Text1->toPlainText();
}

void frmdisclaimer::Command1_Click()
{
    close();
}
