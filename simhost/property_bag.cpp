#include "property_bag.h"

#include <cstdio>
#include <cstring>

namespace simhost {

void PropertyBag::SetString(ULONG tag, std::string text) {
  Set(tag, PropValue{PT_STRING8, 0, std::move(text)});
}

void PropertyBag::SetLong(ULONG tag, LONG value) { Set(tag, PropValue{PT_LONG, value, {}}); }

void PropertyBag::SetBoolean(ULONG tag, bool value) {
  Set(tag, PropValue{PT_BOOLEAN, value ? 1 : 0, {}});
}

void PropertyBag::SetBinary(ULONG tag, std::string bytes) {
  Set(tag, PropValue{PT_BINARY, 0, std::move(bytes)});
}

void PropertyBag::Set(ULONG tag, PropValue value) { values_[PROP_ID(tag)] = std::move(value); }

const PropValue* PropertyBag::Find(ULONG tag) const {
  auto it = values_.find(PROP_ID(tag));
  return it == values_.end() ? nullptr : &it->second;
}

std::optional<std::string> PropertyBag::String(ULONG tag) const {
  const PropValue* value = Find(tag);
  if (!value || value->type != PT_STRING8) return std::nullopt;
  return value->bytes;
}

std::optional<LONG> PropertyBag::Long(ULONG tag) const {
  const PropValue* value = Find(tag);
  if (!value || value->type != PT_LONG) return std::nullopt;
  return value->number;
}

bool PropertyBag::Erase(ULONG tag) { return values_.erase(PROP_ID(tag)) > 0; }

std::vector<ULONG> PropertyBag::Tags() const {
  std::vector<ULONG> tags;
  tags.reserve(values_.size());
  for (const auto& [id, value] : values_) tags.push_back(PROP_TAG(value.type, id));
  return tags;
}

namespace {

std::string SetKey(const GUID& set, char kind) {
  std::string key(reinterpret_cast<const char*>(&set), sizeof set);
  key.push_back(kind);
  return key;
}

}  // namespace

ULONG NamedProperties::IdOf(const GUID& set, LONG number, bool create) {
  std::string key = SetKey(set, 'n');
  key.append(reinterpret_cast<const char*>(&number), sizeof number);
  return Lookup(key, create);
}

ULONG NamedProperties::IdOf(const GUID& set, const std::u16string& name, bool create) {
  std::string key = SetKey(set, 's');
  key.append(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(char16_t));
  return Lookup(key, create);
}

ULONG NamedProperties::Lookup(const std::string& key, bool create) {
  auto it = ids_.find(key);
  if (it != ids_.end()) return it->second;
  if (!create) return 0;
  if (next_ >= PROP_ID_INVALID) {
    std::fprintf(stderr, "simhost store: no named property identifiers left\n");
    return 0;
  }
  ids_.emplace(key, next_);
  return next_++;
}

}  // namespace simhost
