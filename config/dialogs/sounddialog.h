#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

// Three sound names that the game plays on a key.
class SoundDialog : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    SoundDialog(Settings &settings, const Language &language);
};
