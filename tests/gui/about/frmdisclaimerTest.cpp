#include "gui/about/frmdisclaimer.h"
#include "core/about/AboutTexts.h"
#include "core/common/MessageService.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Notes each message box and whether an agreement window was on screen then.
class NoticeRecorder : public MessageService
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons, MessageIcon) override
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            windowShown |= qobject_cast<frmdisclaimer *>(window) && window->isVisible();
        notices << text + u'|' + title;
        return MessageAnswer::Ok;
    }
    QStringList notices;
    bool windowShown = false;
};

TEST(frmdisclaimer, NoticeFirstThenTheAgreement)
{
    NoticeRecorder messages;
    frmdisclaimer form(messages);
    EXPECT_EQ(messages.notices, QStringList{agreementNotice() + u"|Quillory"_s});
    EXPECT_FALSE(messages.windowShown);
    form.show();
    EXPECT_EQ(form.agreement(), agreementText().replace(u"\r\n"_s, u"\n"_s));
}

}  // namespace
