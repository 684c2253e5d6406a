// The item list shared by list boxes and combo boxes.
#include "list_items.h"

#include "case_fold.h"

namespace sigplat::win {

int ItemList::Add(const std::string& text, bool sorted) {
  if (!sorted) return Insert(-1, text);
  int index = 0;
  while (index < Count() && CompareIgnoringCase(At(index).text, text) <= 0) ++index;
  return Insert(index, text);
}

int ItemList::Insert(int index, const std::string& text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return -1;
  items_.insert(items_.begin() + index, ListItem{text, 0});
  if (selected_ >= index) ++selected_;
  return index;
}

int ItemList::Delete(int index) {
  if (!Has(index)) return -1;
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  return Count();
}

void ItemList::Reset() {
  items_.clear();
  selected_ = -1;
}

int ItemList::Find(int start, const std::string& text, bool exact) const {
  int count = Count();
  if (count == 0) return -1;
  if (start < -1 || start >= count) start = -1;
  for (int step = 1; step <= count; ++step) {
    int index = (start + step) % count;
    const std::string& item = At(index).text;
    if (exact ? EqualsIgnoringCase(item, text) : StartsWithIgnoringCase(item, text)) return index;
  }
  return -1;
}

bool ItemList::Select(int index) {
  if (index != -1 && !Has(index)) return false;
  selected_ = index;
  return true;
}

std::vector<std::string> ItemList::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(items_.size());
  for (const ListItem& item : items_) texts.push_back(item.text);
  return texts;
}

}  // namespace sigplat::win
