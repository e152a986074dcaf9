#pragma once

#include "optiondialog.h"

struct Settings;

// Three sound names that the game plays on a key.
class SoundDialog : public OptionDialog
{
    Q_OBJECT

public:
    explicit SoundDialog(Settings &settings);
};
