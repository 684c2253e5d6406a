// Writing a PE image that holds nothing but resources, as a resource-only DLL
// built by a Windows linker does: DOS header and stub, PE headers, and one
// ".rsrc" section with the resource directory tree.
#pragma once

#include <cstdint>
#include <vector>

namespace sigplat::detail {

// Resource types and the language of the resources this writer stores.
constexpr uint16_t kResourceTypeVersion = 16;
constexpr uint16_t kVersionResourceId = 1;
constexpr uint16_t kLangUsEnglish = 0x0409;

// An image whose one resource is RT_VERSION, id 1, US English, holding the
// given bytes. PE32 for i386 unless pe32Plus, which makes a PE32+ image for x64.
std::vector<uint8_t> MakeVersionImage(const std::vector<uint8_t>& versionResource, bool pe32Plus);

}  // namespace sigplat::detail
