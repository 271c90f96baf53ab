#pragma once

#include <QString>

// The fixed texts of the credits and agreement windows.

// The credits that scroll through the credits window: the product, its maker,
// the player it was written for, thanks and a closing quotation, the groups
// separated by lines of underscores.
QString creditsText();

// The notice shown before the agreement window opens (two lines, CR LF).
QString agreementNotice();

// The end-user agreement in titled sections.
QString agreementText();
