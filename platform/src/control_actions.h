// What a user does to a built-in control that no message of its own
// expresses: picking a list item with the mouse. The dialog manager carries
// out the user's steps with these.
#pragma once

#include "winapi.h"

namespace sigplat::win {

// Selects the item as a click does: LBN_SELCHANGE (and for a double click
// then LBN_DBLCLK) to the parent when the list box has LBS_NOTIFY.
void ListBoxUserSelect(HWND listBox, int index, bool doubleClick);

// Picks the entry from the drop-down list: selected, CBN_SELCHANGE to the parent.
void ComboBoxUserPick(HWND comboBox, int index);

// The icon resource an SS_ICON static was created with, 0 for none.
int StaticIconId(HWND staticControl);

}  // namespace sigplat::win
