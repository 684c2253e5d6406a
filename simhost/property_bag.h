// The properties of one MAPI object, keyed by property identifier, and the
// store-wide map from property names to the identifiers of named properties.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "winapi.h"

namespace simhost {

// One stored value. Only the types the host stores are held.
struct PropValue {
  ULONG type = PT_LONG;  // PT_LONG, PT_BOOLEAN, PT_STRING8 or PT_BINARY
  LONG number = 0;       // PT_LONG, PT_BOOLEAN (0 or 1)
  std::string bytes;     // PT_STRING8 (without terminator), PT_BINARY
};

class PropertyBag {
 public:
  // Each setter takes a full tag and replaces any value of the same identifier,
  // whatever its type was.
  void SetString(ULONG tag, std::string text);
  void SetLong(ULONG tag, LONG value);
  void SetBoolean(ULONG tag, bool value);
  void SetBinary(ULONG tag, std::string bytes);
  void Set(ULONG tag, PropValue value);

  // The value of that identifier, whatever the tag's type; nullptr if absent.
  const PropValue* Find(ULONG tag) const;
  // Typed reads: nullopt when absent or of another type.
  std::optional<std::string> String(ULONG tag) const;
  std::optional<LONG> Long(ULONG tag) const;
  bool Erase(ULONG tag);
  // The tags of every value held, by identifier.
  std::vector<ULONG> Tags() const;

 private:
  std::map<ULONG, PropValue> values_;  // property identifier -> value
};

// Names of named properties to identifiers from MIN_NAMED_PROP_ID upward, one
// identifier per (property set, number) or (property set, name).
class NamedProperties {
 public:
  // The identifier of a name, mapping it first when create is set; 0 when the
  // name is not mapped (or the identifiers are used up).
  ULONG IdOf(const GUID& set, LONG number, bool create);
  ULONG IdOf(const GUID& set, const std::u16string& name, bool create);

 private:
  ULONG Lookup(const std::string& key, bool create);

  std::map<std::string, ULONG> ids_;
  ULONG next_ = MIN_NAMED_PROP_ID;
};

}  // namespace simhost
