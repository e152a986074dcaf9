#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

// The 24 team chat lines of the personal mode, one a row, each with its
// label on the left.
class PersonalModeDialog : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions and notes are said in `language`, the one in force.
    PersonalModeDialog(Settings &settings, const Language &language);
};
