#include "gui/about/frmdisclaimer.h"
#include "core/about/AboutTexts.h"
#include "core/common/MessageService.h"

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Records each message box and whether an agreement window was on screen then.
class NoticeRecorder : public MessageService
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons, MessageIcon icon) override
    {
        bool windowShown = false;
        for (QWidget *window : QApplication::topLevelWidgets())
            windowShown |= qobject_cast<frmdisclaimer *>(window) && window->isVisible();
        notices.push_back({text, title, buttons, icon, windowShown});
        return MessageAnswer::Ok;
    }

    struct Notice
    {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
        bool windowShown;
    };
    std::vector<Notice> notices;
};

TEST(frmdisclaimer, NoticeFirstThenTheAgreement)
{
    NoticeRecorder messages;
    QPointer<frmdisclaimer> form = new frmdisclaimer(messages);
    ASSERT_EQ(messages.notices.size(), 1u);
    const NoticeRecorder::Notice &notice = messages.notices[0];
    EXPECT_EQ(notice.text, agreementNotice());
    EXPECT_EQ(notice.title, u"Quillory"_s);
    EXPECT_EQ(notice.buttons, MessageButtons::Ok);
    EXPECT_EQ(notice.icon, MessageIcon::None);
    EXPECT_FALSE(notice.windowShown);

    form->show();
    EXPECT_EQ(form->windowTitle(), u"Quillory - User License Agreement"_s);
    EXPECT_EQ(form->agreement(), agreementText().replace(u"\r\n"_s, u"\n"_s));
    delete form;
}

}  // namespace
