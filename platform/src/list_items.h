// The strings of a list box or of a combo box's list, with the one selected
// item, and the searches both controls offer.
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

namespace sigplat::win {

struct ListItem {
  std::string text;  // what the item shows
  LPARAM data = 0;   // the application's value (LB_SETITEMDATA)
};

class ItemList {
 public:
  // Appends, or with sorted inserts after the items that sort before or
  // equal to the text (ignoring case). Returns the new item's index.
  int Add(const std::string& text, bool sorted);
  // Inserts before index; -1 appends. -1 (the error) when index is past the end.
  int Insert(int index, const std::string& text);
  // The number of items left, or -1 for an index that names no item. The
  // selection follows its item.
  int Delete(int index);
  void Reset();
  // The first item after start (-1: from the first), wrapping round once,
  // whose text begins with (prefix) or equals (exact) the text, ignoring
  // case; -1 when none does.
  int Find(int start, const std::string& text, bool exact) const;
  // Selects index, or nothing for -1; false (selection kept) when index
  // names no item.
  bool Select(int index);

  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  int Selected() const { return selected_; }
  const ListItem& At(int index) const { return items_[static_cast<size_t>(index)]; }
  ListItem& At(int index) { return items_[static_cast<size_t>(index)]; }
  std::vector<std::string> Texts() const;

 private:
  std::vector<ListItem> items_;  // in display order
  int selected_ = -1;            // index of the selected item, -1 for none
};

}  // namespace sigplat::win
