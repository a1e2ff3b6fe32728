// The menu bar as data: menus, items with their identifiers and texts, separators.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace shell {

struct MenuEntry {
  enum class Kind { Item, Separator, SubmenuBegin, SubmenuEnd };
  Kind kind;
  int id;                 // menu identifier of an item
  std::string_view text;  // "\t" separates a key hint shown right-aligned
  bool checkable;         // belongs to a check-mark group
};

struct Menu {
  std::string_view title;
  std::vector<MenuEntry> entries;
};

// The six menus, left to right, items top to bottom.
const std::vector<Menu>& MenuBar();

}  // namespace shell
