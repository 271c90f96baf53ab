#pragma once

#include "core/common/MessageService.h"

// Message boxes on a terminal: the text goes to standard output (line ends as
// LF) and the question is answered with its accepting button (OK or Yes), as
// the command line has already said what to do.
class ConsoleMessageService : public MessageService
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons, MessageIcon icon) override;
};
