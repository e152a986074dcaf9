#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

// Five chat messages and three team messages, each said in the game on a key.
class TextMessageDialog : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    TextMessageDialog(Settings &settings, const Language &language);
};
