// The site's colour per classification, from SIGILON.MAP.
#pragma once

#include "winapi.h"

// Replaces *pColour with the colour of the first map entry whose keyword
// occurs in szFirstLineClass; leaves it unchanged otherwise.
void CheckColourMap(COLORREF* pColour);
