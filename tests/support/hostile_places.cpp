// The hostile link-file places, each set up in a fresh folder.
#include "tests/support/hostile_places.h"

#include <string>

namespace testing_support {

namespace fs = std::filesystem;

std::vector<HostilePlace> HostileLinkPlaces() {
  constexpr std::string_view kRequest =
      "HelpFile = deradu.htm\r\nLASTHELP = #Rules\r\nLASTTIME = 50\r\n";
  const auto link = [](const TempFolder& folder, const char* target) {
    std::error_code ignored;
    fs::create_symlink(target, folder / "Leafview.ini", ignored);
    return folder.path();
  };
  return {
      {"a folder that is gone", [](const TempFolder& folder) { return folder / "gone"; }},
      {"a folder in the link file's place",
       [](const TempFolder& folder) {
         fs::create_directory(folder / "Leafview.ini");
         return folder.path();
       }},
      {"a link file that links to itself",
       [link](const TempFolder& folder) { return link(folder, "Leafview.ini"); }},
      {"a link file that links into a missing folder",
       [link](const TempFolder& folder) { return link(folder, "gone/Leafview.ini"); }},
      {"junk and broken UTF-8",
       [](const TempFolder& folder) {
         const std::string junk = "HelpFile = \xff\xfe.htm\r\nLASTTIME = \xc3\r\n" +
                                  std::string(4096, '\0') + "HANDLE = 99999999999999999999";
         folder.Write("Leafview.ini", junk);
         return folder.path();
       }},
      {"a folder named Zo\xc3\xab's games #2 & 100%",
       [kRequest](const TempFolder& folder) {
         const std::string odd = "Zo\xc3\xab's games #2 & 100%";
         fs::create_directory(folder / odd);
         folder.Write(odd + "/Leafview.ini", kRequest);
         return folder / odd;
       }},
  };
}

}  // namespace testing_support
