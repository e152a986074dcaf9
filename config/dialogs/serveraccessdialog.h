#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

// Access data for up to two Admin-Mod or Clanmod servers: each entry is the
// name of a password field and the password, kept as typed.
class ServerAccessDialog : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    ServerAccessDialog(Settings &settings, const Language &language);
};
