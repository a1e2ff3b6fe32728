// The menu bar as data: menus, items with their identifiers and texts, separators.
#include "game/shell/menus.h"

#include "game/engine/ids.h"

namespace shell {
namespace {

using Kind = MenuEntry::Kind;
using namespace engine;

MenuEntry Item(int id, std::string_view text, bool checkable = false) {
  return {Kind::Item, id, text, checkable};
}
MenuEntry Checked(int id, std::string_view text) { return Item(id, text, true); }
MenuEntry Separator() { return {Kind::Separator, -1, {}, false}; }
MenuEntry Submenu(std::string_view title) { return {Kind::SubmenuBegin, -1, title, false}; }
MenuEntry SubmenuEnd() { return {Kind::SubmenuEnd, -1, {}, false}; }

}  // namespace

const std::vector<Menu>& MenuBar() {
  static const std::vector<Menu> menus = {
      {"Game",
       {Item(MenuNew, "New"), Item(MenuLoad, "Load"), Item(MenuSave, "Save"), Separator(),
        Submenu("Skill"), Checked(MenuSkillDefault, "Default"),
        Checked(MenuSkillMedium, "Medium"), Checked(MenuSkillEasy, "Easy"),
        Checked(MenuSkillSuperEasy, "Super Easy"), SubmenuEnd(), Separator(),
        Item(MenuCreate, "Create"), Item(MenuEnter, "Enter"), Item(MenuSolve, "Solve"),
        Separator(), Item(MenuExit, "Exit\tAlt+F4")}},
      {"Undo",
       {Item(MenuUndo, "Undo\tCtrl+Z"), Item(MenuDeleteNumber, "Delete Number"),
        Item(MenuDeleteColor, "Delete Color"), Item(MenuResetGame, "Reset Game")}},
      {"Sound",
       {Checked(MenuSoundOn, "On"), Checked(MenuSoundOff, "Off"), Checked(MenuSoundLoad, "Load"),
        Checked(MenuSoundDefault, "Default"), Separator(),
        Checked(MenuWinSoundOff, "Win Sound Off"),
        Checked(MenuWinSoundDefault, "Default Win Sound"),
        Checked(MenuWinSoundCustom, "Custom Win Sound")}},
      {"Colors",
       {Item(MenuEmptyBackColor, "Empty Back Color"),
        Item(MenuMasterBackColor, "Master Back Color"),
        Item(MenuNumberBackColor, "Number Back Color"),
        Item(MenuHighlightBackColor, "Highlight Back Color"),
        Item(MenuMarkingBackColor, "Marking Back Color")}},
      {"Hint",
       {Checked(MenuHints, "Hints"), Item(MenuAcceptHints, "Accept Hints"),
        Checked(MenuHintsOff, "Off"), Item(MenuHintColor, "Color")}},
      {"Help",
       {Item(MenuRules, "Rules"), Item(MenuHelp, "Help\tF1"), Item(MenuOptions, "Options"),
        Separator(), Item(MenuAbout, "About")}},
  };
  return menus;
}

}  // namespace shell
