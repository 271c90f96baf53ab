#include "core/export/ExportNames.h"

#include "core/copy/SafeFileName.h"

namespace {

constexpr QStringView refusedCharacters = u"\"*/:<>?\\|";

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control;
}

bool isTrailingJunk(QChar c)
{
    return c == u' ' || c == u'.';
}

// Blanks from the start, blanks and dots from the end.
QString trimmed(QString text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    qsizetype end = text.size();
    while (end > start && isTrailingJunk(text[end - 1]))
        --end;
    return text.sliced(start, end - start);
}

}  // namespace

bool isReservedName(QStringView name)
{
    const qsizetype dot = name.indexOf(u'.');
    QStringView base = dot < 0 ? name : name.first(dot);
    while (!base.isEmpty() && base.back() == u' ')
        base.chop(1);
    for (const char *device : {"CON", "PRN", "AUX", "NUL"}) {
        if (base.compare(QLatin1StringView(device), Qt::CaseInsensitive) == 0)
            return true;
    }
    if (base.size() != 4 || !base[3].isDigit() || base[3] == u'0' || base[3].unicode() > u'9')
        return false;
    const QStringView prefix = base.first(3);
    return prefix.compare(u"COM", Qt::CaseInsensitive) == 0 || prefix.compare(u"LPT", Qt::CaseInsensitive) == 0;
}

QString safeExportName(QStringView text, qsizetype maxBytes)
{
    QString name = text.toString();
    for (QChar &c : name) {
        if (refusedCharacters.contains(c) || isControl(c))
            c = u'_';
    }
    name = trimmed(std::move(name));
    if (name.startsWith(u'.'))
        name[0] = u'_';
    if (isReservedName(name)) {
        const qsizetype dot = name.indexOf(u'.');
        name.insert(dot < 0 ? name.size() : dot, u'_');
    }
    // Cutting can leave a blank or a dot at the end again.
    name = trimmed(fitToBytes(name, maxBytes));
    return name.isEmpty() ? QStringLiteral("_") : name;
}
