#pragma once

#include "optiondialog.h"

struct Settings;

// The 24 team chat lines of the personal mode, one a row, each with its
// label on the left.
class PersonalModeDialog : public OptionDialog
{
    Q_OBJECT

public:
    explicit PersonalModeDialog(Settings &settings);
};
