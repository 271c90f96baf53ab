#include "gui/about/frmdisclaimer.h"
#include "CopyTestSupport.h"
#include "core/about/AboutTexts.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// The notice comes while the window is still hidden; the agreement shows after it.
TEST(frmdisclaimer, NoticeFirstThenTheAgreement)
{
    ScriptedMessages messages;
    frmdisclaimer form(messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text + u'|' + messages.shown[0].title, agreementNotice() + u"|Quillory"_s);
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(form.agreement(), agreementText().replace(u"\r\n"_s, u"\n"_s));
}

}  // namespace
