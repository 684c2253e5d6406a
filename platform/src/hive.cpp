#include "hive.h"

#include <algorithm>

namespace sigplat::reg {
namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(Fold(a[i]));
    auto cb = static_cast<unsigned char>(Fold(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

std::shared_ptr<Key> Key::FindSubkey(std::string_view name) const {
  auto it = subkeys_.find(name);
  return it == subkeys_.end() ? nullptr : it->second;
}

std::shared_ptr<Key> Key::CreateSubkey(std::string_view name, bool* created) {
  auto it = subkeys_.find(name);
  *created = (it == subkeys_.end());
  if (!*created) return it->second;
  auto key = std::make_shared<Key>(std::string(name), this);
  subkeys_.emplace(std::string(name), key);
  return key;
}

bool Key::RemoveSubkey(std::string_view name) {
  auto it = subkeys_.find(name);
  if (it == subkeys_.end()) return false;
  it->second->MarkDeleted();
  subkeys_.erase(it);
  return true;
}

void Key::MarkDeleted() {
  deleted_ = true;
  parent_ = nullptr;
  for (auto& entry : subkeys_) entry.second->MarkDeleted();
}

const Value* Key::FindValue(std::string_view name) const {
  for (const Value& value : values_) {
    if (NamesEqual(value.name, name)) return &value;
  }
  return nullptr;
}

void Key::SetValue(std::string_view name, DWORD type, std::string data) {
  Value* value = SetValueFromFile(name, type, std::move(data));
  value->fileLines.clear();
}

Value* Key::SetValueFromFile(std::string_view name, DWORD type, std::string data) {
  auto it = std::find_if(values_.begin(), values_.end(),
                         [&](const Value& v) { return NamesEqual(v.name, name); });
  if (it == values_.end()) {
    values_.push_back(Value{std::string(name), type, std::move(data), {}});
    return &values_.back();
  }
  it->type = type;
  it->data = std::move(data);
  return &*it;
}

bool Key::DeleteValue(std::string_view name) {
  auto it = std::find_if(values_.begin(), values_.end(),
                         [&](const Value& v) { return NamesEqual(v.name, name); });
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

}  // namespace sigplat::reg
