#include "extension/module_state.h"

HINSTANCE ghInstDLL = nullptr;
