#include "core/about/AboutTexts.h"

#include "core/common/AppInfo.h"

namespace {

QString withCrLf(const char *text)
{
    QString lines = QString::fromUtf8(text);
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return lines;
}

}  // namespace

QString creditsText()
{
    return withCrLf("Quillory  1.0.1\n"
                    "Song browser for your music player\n"
                    "Written by the Quillory team\n"
                    "__________________________\n"
                    "\n"
                    "Made for the pocket players of the\n"
                    "iPod family that mount as a drive:\n"
                    "their songs, their pictures, their\n"
                    "own description files.\n"
                    "__________________________\n"
                    "\n"
                    "Thanks to everyone who lent us a\n"
                    "player, a database or an evening\n"
                    "of testing, and to our families for\n"
                    "their patience with the headphones.\n"
                    "__________________________\n"
                    "\n"
                    "\"A song in the pocket is worth\n"
                    "two on the shelf.\"\n"
                    "        - an old saying\n");
}

QString agreementNotice()
{
    return QStringLiteral("Please read this agreement carefully. If you do not agree to it's contents\r\n"
                          " please exit and remove this software from your computer.");
}

QString agreementText()
{
    const QString title = appTitle();
    return withCrLf("END-USER LICENSE AGREEMENT FOR %1\n"
                    "\n"
                    "IMPORTANT - READ CAREFULLY: This End-User License Agreement (\"Agreement\") is an "
                    "agreement between you and the makers of %1 for the %1 software, which includes the "
                    "program and any printed or electronic documentation that comes with it (\"Software\"). "
                    "By installing, copying or otherwise using the Software, you agree to be bound by the "
                    "terms of this Agreement. If you do not agree to them, do not install or use the Software.\n"
                    "\n"
                    "1. GRANT OF USE. You may install and use copies of the Software on computers that you own "
                    "or control, for your own use with music players that you own. You may make copies of the Software "
                    "for backup. Each copy must keep this Agreement and every notice that the Software carries.\n"
                    "\n"
                    "2. RESTRICTIONS. You may not rent, lease or lend the Software. You may not remove or change "
                    "any notice of ownership in the Software. You are responsible for using the Software only "
                    "with music, pictures and other files that you have the right to copy and play, and for following "
                    "the laws of the country in which you use it.\n"
                    "\n"
                    "3. DISTRIBUTION. You may give copies of the Software to others free of charge, provided that "
                    "each copy is complete and unchanged and includes this Agreement. You may not sell the "
                    "Software or include it in a product that is sold without the written permission of its "
                    "makers.\n"
                    "\n"
                    "4. TERM. This Agreement is effective until ended. It ends at once if you fail to comply with "
                    "any of its terms, and you may end it at any time by removing the Software from your computers. "
                    "On its end you must destroy all copies of the Software in your possession.\n"
                    "\n"
                    "5. OWNERSHIP. The Software is licensed, not sold. All title and rights in and to the Software "
                    "and its documentation remain with its makers. The names of music players mentioned in the "
                    "Software belong to their owners, who have not made, tested or endorsed it.\n"
                    "\n"
                    "6. NO WARRANTY. THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR "
                    "IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A "
                    "PARTICULAR PURPOSE AND NON-INFRINGEMENT. THE WHOLE RISK AS TO THE QUALITY AND PERFORMANCE OF "
                    "THE SOFTWARE IS WITH YOU.\n"
                    "\n"
                    "7. NO LIABILITY FOR DAMAGES. IN NO EVENT SHALL THE MAKERS OF THE SOFTWARE BE LIABLE FOR ANY "
                    "DAMAGES WHATSOEVER, INCLUDING WITHOUT LIMITATION DAMAGES FOR LOSS OF DATA, LOSS OF MUSIC "
                    "FILES, BUSINESS INTERRUPTION OR ANY OTHER LOSS, ARISING OUT OF THE USE OF OR INABILITY TO USE "
                    "THE SOFTWARE, EVEN IF THEY HAVE BEEN ADVISED OF THE POSSIBILITY OF SUCH DAMAGES. The Software "
                    "only reads the files of your player and never writes to it; keep your own copies of your "
                    "music all the same.\n")
        .arg(title);
}
