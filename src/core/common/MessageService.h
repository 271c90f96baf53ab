#pragma once

#include <QString>

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Exclamation, Information, Question, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Message boxes, behind an interface so tests can answer them.
class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons = MessageButtons::Ok,
                               MessageIcon icon = MessageIcon::None) = 0;
};
