#pragma once

#include "optiondialog.h"

struct Settings;

// Five chat messages and three team messages, each said in the game on a key.
class TextMessageDialog : public OptionDialog
{
    Q_OBJECT

public:
    explicit TextMessageDialog(Settings &settings);
};
