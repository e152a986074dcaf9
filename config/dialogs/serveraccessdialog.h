#pragma once

#include "optiondialog.h"

struct Settings;

// Access data for up to two Admin-Mod or Clanmod servers: each entry is the
// name of a password field and the password, kept as typed.
class ServerAccessDialog : public OptionDialog
{
    Q_OBJECT

public:
    explicit ServerAccessDialog(Settings &settings);
};
