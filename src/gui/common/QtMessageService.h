#pragma once

#include "core/common/MessageService.h"

// Message boxes shown with QMessageBox, over the active window.
class QtMessageService : public MessageService
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons = MessageButtons::Ok,
                       MessageIcon icon = MessageIcon::None) override;
};
