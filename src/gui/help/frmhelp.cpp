#include "gui/help/frmhelp.h"

#include "core/common/AppInfo.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

frmhelp::frmhelp(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_frame1(new QGroupBox(appTitle() + QStringLiteral(" Help"), this))
    , m_text1(new QTextEdit(m_frame1))
    , m_command1(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("frmhelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(appTitle() + QStringLiteral(" Help1"));
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_text1->setReadOnly(true);

    auto *frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->addWidget(m_text1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1, 1);
    layout->addWidget(m_command1, 0, Qt::AlignRight);
    resize(440, 320);

    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
}

void frmhelp::setHelpText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text1->setPlainText(shown);
}

QString frmhelp::helpText() const
{
    return m_text1->toPlainText();
}
