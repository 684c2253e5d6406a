// The site's classification list and the scans that find a marking in a text.
#pragma once

#include "winapi.h"

// 1 when szClass is an entry of the list (whole entry, case ignored).
int VerifyClassification(const char* szClass);
// 0 no marking; 1 a marking at the very start (prefix style) or a listed
// classification on the first line (AUTODIN style); 2 a prefix-style marking
// at the start of a later line. The text is left as it was.
int FindBodyClass(const char* szText);
// Sets szFirstLineClass to the classification of the marking line found in
// the first 1024 characters of the text, or empties it.
void FindFirstLineClass(const char* szText);
