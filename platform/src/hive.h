// The in-memory tree of one hive. Names keep the case they were created with
// and are matched with ASCII case folding, as the registry matches them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/base.h"

namespace sigplat::reg {

bool NamesEqual(std::string_view a, std::string_view b);

struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

struct Value {
  std::string name;  // "" is the key's default value
  DWORD type = 0;
  std::string data;  // exactly the bytes the A functions store and return
  // The file lines this value was read from, written back as they were while
  // the value is unchanged: set when the file text says more than the ANSI
  // data can (characters outside code page 1252).
  std::vector<std::string> fileLines;
};

class Key {
 public:
  Key(std::string name, Key* parent) : name_(std::move(name)), parent_(parent) {}
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  const std::string& Name() const { return name_; }
  Key* Parent() const { return parent_; }
  // A deleted key stays alive for the handles that still refer to it.
  bool IsDeleted() const { return deleted_; }

  std::shared_ptr<Key> FindSubkey(std::string_view name) const;
  // Returns the subkey, creating it when absent; *created tells which.
  std::shared_ptr<Key> CreateSubkey(std::string_view name, bool* created);
  // Detaches the subkey and everything below it and marks them deleted.
  bool RemoveSubkey(std::string_view name);
  const std::map<std::string, std::shared_ptr<Key>, NameLess>& Subkeys() const { return subkeys_; }

  const Value* FindValue(std::string_view name) const;
  // An existing value keeps the case of its name; a new one takes the name given.
  void SetValue(std::string_view name, DWORD type, std::string data);
  Value* SetValueFromFile(std::string_view name, DWORD type, std::string data);
  bool DeleteValue(std::string_view name);
  const std::vector<Value>& Values() const { return values_; }

  // Lines of the hive file that were not understood, kept with this key's
  // section so that a save writes them back.
  std::vector<std::string>& KeptLines() { return keptLines_; }
  const std::vector<std::string>& KeptLines() const { return keptLines_; }

 private:
  void MarkDeleted();

  std::string name_;
  Key* parent_;
  bool deleted_ = false;
  std::map<std::string, std::shared_ptr<Key>, NameLess> subkeys_;
  std::vector<Value> values_;  // in the order they were first set
  std::vector<std::string> keptLines_;
};

struct Hive {
  std::shared_ptr<Key> root;
  std::vector<std::string> headLines;  // kept lines before the first section
};

}  // namespace sigplat::reg
