#pragma once

// The main window's menus as data: every item with its name, default caption, catalogue
// number, keys and flags, in menu order. The window builds its menus from these tables and
// the tests walk them; the captions come from the catalogue where it has a text.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/message_catalogue.h"
#include "config/settings.h"

namespace telvane::app {

namespace item_flag {
inline constexpr std::uint32_t kHidden = 0x1;     // never shown; its keys still work
inline constexpr std::uint32_t kCheckable = 0x2;  // shows a check mark
inline constexpr std::uint32_t kSeparator = 0x4;  // a separator above the item
inline constexpr std::uint32_t kSubmenu = 0x8;    // opens the items whose parent it is
}  // namespace item_flag

struct MenuItemDef {
  std::string_view name;     // the object name ("FileNewItem")
  std::string_view parent;   // the menu or submenu that holds it ("MainFileItem")
  std::string_view caption;  // the design's English caption
  int message = 0;           // the catalogue text that replaces the caption; 0 none
  std::string_view keys;     // portable key text ("Ctrl+N"); empty for none
  std::uint32_t flags = 0;
  // Why the item stays disabled: the work belongs to a subsystem this program does not
  // have yet. Empty for items that work.
  std::string_view missing;

  bool hidden() const { return (flags & item_flag::kHidden) != 0; }
  bool checkable() const { return (flags & item_flag::kCheckable) != 0; }
  bool submenu() const { return (flags & item_flag::kSubmenu) != 0; }
};

struct MenuDef {
  std::string_view name;  // "MainFileItem"
  std::string_view caption;
  int message;
};

// The eleven menus of the menu bar, left to right.
std::span<const MenuDef> MainMenus();
// Every item of every menu and submenu, in menu order (submenu items follow their submenu).
std::span<const MenuItemDef> MainMenuItems();
const MenuItemDef* FindMenuItem(std::string_view name);

// The catalogue's text for the message, or the design's caption when the slot is empty.
std::string CaptionOf(std::string_view caption, int message, const MessageCatalogue& catalogue);

// The colour items of Options > Set Colours, in menu order, with the setting each one sets.
struct ColourItemDef {
  std::string_view name;
  config::Key key;
  int element_message;  // the element's catalogue text
  int side_message;     // 210 background, 211 foreground, 0 for a single colour
  bool hidden;
  // Puts every colour of the submenu back to its default instead of choosing one.
  bool restores_defaults = false;
};
std::span<const ColourItemDef> ColourItems();
// "&A " to "&Z ", "&0 ", "&1 " for the first 29 items, then the element's text and, for a
// pair, a blank and the side's text.
std::string ColourItemCaption(std::size_t index, const MessageCatalogue& catalogue);

// Options > Func Btn: the items in menu order and the function code each selects.
struct FunctionItemDef {
  std::string_view name;
  int code;  // "Function Command": 0 captions, 1 snapshot, 2 pause, 3 bookmark, 4 inverse,
             // 5 timer, 6 off
};
std::span<const FunctionItemDef> FunctionItems();
// The timer item's caption: the configured seconds, a blank and message 1325.
std::string TimerFunctionCaption(const config::Settings& settings,
                                 const MessageCatalogue& catalogue);

// The Presenter menu's item for presenter n (0 off, 1..15): "Off" (866), "1".."9", "A".."F".
std::string PresenterItemName(int n);
std::string PresenterCaption(int n, const MessageCatalogue& catalogue);

}  // namespace telvane::app
