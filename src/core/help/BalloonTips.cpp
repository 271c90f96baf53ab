#include "core/help/BalloonTips.h"

QString BalloonTip::text() const
{
    return lines.join(QStringLiteral("\r\n"));
}

const std::vector<BalloonTip> &balloonTips()
{
    static const std::vector<BalloonTip> tips = [] {
        const auto tip = [](const char *control, const char *title, std::initializer_list<const char *> lines) {
            BalloonTip made{QString::fromLatin1(control), QString::fromLatin1(title), {}};
            for (const char *line : lines)
                made.lines.append(QString::fromLatin1(line));
            return made;
        };
        return std::vector<BalloonTip>{
            tip("Text4", "Search Box!",
                {"Type the song or search criteria you would like to find.", "Click the search button when finished."}),
            tip("Command3", "Search Button!",
                {"Click this button when you have entered the", "search criteria in the box to the right."}),
            tip("PBar", "Progress Bar!",
                {"This bar will keep you up to date on", "things such as copying files and getting statistics."}),
            tip("HScroll4", "Volume Bar!",
                {"This scrollbar controls the volume of", "of your song while the song is being played."}),
            tip("FGrid", "Song Grid!", {"Space bar will tag and untag files.", "Use right click for more options."}),
            tip("Picture2", "Picture Box!",
                {"You pictures are displayed here.", "Select pictures from directory to the left."}),
            tip("Dir1", "Directory Box!",
                {"You select the directory where your pictures are stored.",
                 "This directory is located on your iPod."}),
            tip("File1", "File Box!", {"You select the picture you want displayed in the box to the right."}),
            tip("RBox1", "Information Box!", {"This is information taken from your iPod."}),
            tip("Command1", "Connect Button!",
                {"Click button to connect to your iPod.", "You must have the iPod cabled up to the computer first."}),
            tip("Text5", "Connect Label!", {"Click the Connect Button above."}),
            tip("Check1", "Continuous Play!", {"Check to play songs contiuously.", "Uncheck to play single song."}),
        };
    }();
    return tips;
}
