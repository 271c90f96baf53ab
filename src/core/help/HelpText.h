#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The dynamic property that carries a control's or menu item's help context
// number (an int). An object without it has no number.
inline constexpr char helpContextProperty[] = "helpContextId";

// The name of the help file.
inline QString helpFileName()
{
    return QStringLiteral("quilloryhelp.txt");
}

// The line that opens a section: "HID:" and the number, blanks removed, in
// capitals. Without a number the key is "HID:" alone.
QString helpKey(std::optional<int> section);

// Folders searched for the help file, in order: the program's folder, the
// installed data folder, and ../share/quillory beside the program.
QStringList defaultHelpDirs();

// The first of dirs/fileName that exists; empty when none does.
QString findHelpFile(const QStringList &dirs, const QString &fileName);

// Reads sections of the help file into a pending text that lives for the
// whole run. A section opens at a line that, in capitals, equals the key; its
// lines are taken as they are, each followed by CR LF, up to a line that,
// trimmed of blanks and in capitals, is "HIDOVER:".
class HelpText
{
public:
    enum class Lookup {
        Found,         // the section was read up to its closing line
        NotFound,      // the file holds no such section; nothing was added
        Unterminated,  // the file ended inside the section; its lines stay pending
        FileMissing,   // the file could not be read
    };

    Lookup readSection(const QString &path, std::optional<int> section);

    const QString &pending() const { return m_pending; }
    // Hands the pending text over and empties it.
    QString takePending();

private:
    QString m_pending;
};
