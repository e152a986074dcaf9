#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

// The two restock buy lists, five items for the big and three for the small
// restock. A box's value is the text of its edit field, picked or typed.
class RestockDialog : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    RestockDialog(Settings &settings, const Language &language);
};
