#pragma once

// The settings saved at the last exit, back into the option dialogs, one
// line read per control: each value is cleaned and cut to what its box takes
// (the box says where it was), and a missing file or line leaves the control
// empty.
//
// Each returns false when its file is there but could not be read; the user
// has then been told, once, which file it is.
bool RestoreVaria();  // "varia.kst": server access, restock, text and sound dialogs
bool RestoreBuy();    // "buy.kst": personal mode dialog
