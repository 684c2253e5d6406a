// The commands that set the stage, applied to the world. Each throws
// HostError when the world refuses.
#pragma once

#include "host_world.h"
#include "scenario_commands.h"

namespace simhost {

// What the product's installer leaves: the machine key's defaults, the
// classification list and the colour map.
void installDefaults(World& world);

void applyValue(const scenario::SetValue& command);
void applyDeleteKey(const scenario::DeleteKey& command);
void applyRemoveFile(const World& world, const scenario::RemoveFile& command);

}  // namespace simhost
