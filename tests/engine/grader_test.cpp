// The grader: each technique on a position where it applies and on the same position with
// its pattern broken, every step of whole solves against the known solution, and the rating
// of published very hard puzzles.
#include "game/engine/grader.h"
#include "game/engine/symmetric_puzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "game/engine/grade_techniques.h"
#include "tests/engine/grade_puzzles.h"

namespace {

using engine::Deduction;
using engine::DigitBit;
using engine::Digits;
using engine::Pencilmarks;

// A position where the technique applies, and what it must find there ("r7c4=6" places 6 in
// row 7, column 4; "r8c8-9" strikes candidate 9 there), and a candidate added back ("r3c4+6") that
// breaks its pattern, after which it must find nothing. The positions come from solves of
// puzzles made by SymmetricPuzzle, where the technique was the simplest that applied; the
// hidden quad's is a made puzzle's first position with four digits of one row struck from
// the five cells that do not hold them. The alternating chain's elimination, r7c4-6, follows
// from 6 in r6c4 or else in r6c1/r6c3, so not in r5c1, so 8 there, so not in r7c1, so 8 in
// r7c4; X- and XY-chains find nothing there. No single candidate added there stops every
// chain, so the stalled position below stands in for its breaker, and likewise for the
// forcing net, which strikes everything its nets reach; its position is a made puzzle's
// last few cells, where chains come first. BUG+1's position comes from a made
// puzzle's solve where the chains came first; its breaker gives a second cell three
// candidates.
struct TechniqueCase {
  std::string_view technique;
  std::string_view position;
  std::string_view finds;
  std::string_view breaker;
};

const TechniqueCase kTechniqueCases[] = {
    {"Hidden Single", R"([38] 9 1 2 [345] [356] [58] [46] 7
        [238] [237] 6 [457] [13457] [135] [58] 9 [24]
        4 [27] 5 [78] 9 [68] 1 [26] 3
        9 5 8 1 2 7 4 3 6
        6 [23] [23] [4589] [45] [589] [79] [578] 1
        7 1 4 3 6 [589] 2 [58] [89]
        1 4 9 [67] 8 [236] [37] [27] 5
        [23] 8 [237] [579] [1357] [12359] 6 [147] [249]
        5 6 [237] [79] [137] 4 [379] [1278] [289])",
     "r7c4=6", "r3c4+6"},
    {"Naked Single", R"([4] 6 7 [3459] 8 [349] 1 2 [345]
        8 9 [345] 1 2 [34] [45] 6 7
        1 2 [345] [345] 6 7 8 9 [345]
        2 3 [16] 8 7 [16] [49] 5 [49]
        5 8 [149] 2 [49] [149] 7 3 6
        [469] 7 [469] [469] 3 5 2 8 1
        [369] 4 [28] 7 [59] [389] [569] 1 [259]
        [369] 1 [69] [349] [459] 2 [569] 7 8
        7 5 [28] [69] 1 [689] 3 4 [29])",
     "r1c1=4", "r1c1+3"},
    {"Pointing", R"(3 5 9 [127] [147] 6 [48] [18] [24]
        [24] 6 1 [28] [48] 9 5 3 7
        7 [24] 8 [125] [145] 3 9 [16] [246]
        6 3 2 [57] 9 [57] 1 4 8
        8 7 5 [13] [13] 4 6 2 9
        9 1 4 6 2 8 3 7 5
        [45] [48] 7 9 [35] 1 2 [68] [36]
        1 9 6 [378] [378] 2 [478] 5 [34]
        [25] [28] 3 4 6 [57] [78] 9 1)",
     "r8c7-8", "r7c5+8"},
    {"Claiming", R"([59] 2 7 [368] 1 [36] [3568] [369] 4
        [19] [18] [136] 4 [28] 5 7 [369] [269]
        [45] [4568] [346] [2368] 7 9 [3568] 1 [26]
        6 3 [125] [28] [59] [12] 4 7 [89]
        [1247] 9 [124] [367] [238] [1346] [16] 5 [68]
        [147] [145] 8 [67] [59] [146] [169] 2 3
        8 7 [26] 1 4 [23] [369] [369] 5
        [12] [16] 9 5 [23] 8 [36] 4 7
        3 [45] [45] 9 6 7 2 8 1)",
     "r3c2-5", "r6c1+5"},
    {"Naked Pair", R"([59] 2 7 [368] 1 [36] [58] [369] 4
        [19] [18] [136] 4 [28] 5 7 [36] [269]
        [45] [468] [346] [2368] 7 9 [58] 1 [26]
        6 3 [15] [28] [59] [12] 4 7 [89]
        [247] 9 [124] [367] [38] [1346] [16] 5 [68]
        [147] [45] 8 [67] [59] [146] [169] 2 3
        8 7 [26] 1 4 [23] [369] [69] 5
        [12] [16] 9 5 [23] 8 [36] 4 7
        3 [45] [45] 9 6 7 2 8 1)",
     "r3c2-4", "r6c2+1"},
    {"Hidden Pair", R"([19] [24] 7 3 [48] 5 [189] [2689] [12689]
        [39] 8 6 7 1 2 [349] [49] 5
        [13] [24] 5 6 [48] 9 [138] [28] 7
        4 9 [12] [158] [57] 3 6 [278] [28]
        8 [57] [12] [19] 6 4 [59] [279] 3
        [57] 6 3 [89] 2 [78] [589] 1 4
        2 [135] [89] 4 [59] 6 7 [389] [189]
        6 [17] [489] 2 3 [78] [1489] 5 [189]
        [57] [357] [489] [58] [579] 1 2 [34689] [689])",
     "r3c7-8", "r3c8+3"},
    {"Naked Triple", R"([349] 1 2 [347] 6 5 [479] 8 [479]
        [689] [89] [47] 1 [47] [29] 3 5 [26]
        [346] 5 [347] [3479] 8 [249] 1 [29] [24679]
        7 [39] 8 6 5 [34] [249] [29] 1
        [39] 2 5 8 [14] [134] [479] 6 [479]
        1 4 6 2 9 7 8 3 5
        [25] [78] 1 [579] 3 6 [29] 4 [289]
        [25] [37] 9 [457] [147] 8 6 [17] [23]
        [348] 6 [34] [79] 2 [19] 5 [17] [389])",
     "r9c9-9", "r9c4+4"},
    {"Hidden Triple", R"(6 1 2 [38] 4 [37] 5 [78] 9
        4 3 5 1 [78] 9 6 2 [78]
        7 8 9 [25] [25] 6 3 1 4
        2 [69] 4 7 [38] 5 1 [39] [368]
        [15] [67] 3 4 9 [18] [28] [57] [267]
        [15] [79] 8 6 [13] 2 4 [3579] [37]
        8 2 6 [35] [57] [37] 9 4 1
        9 5 1 [28] 6 4 7 [38] [23]
        3 4 7 9 [12] [18] [28] 6 5)",
     "r4c9-3 r5c9-7", "r4c8+8"},
    {"Naked Quad", R"(5 [19] 3 4 [79] 6 8 [17] 2
        [1489] 6 7 [138] [18] 2 [49] [134] 5
        [1489] [148] 2 [1378] 5 [1389] [149] [1347] 6
        [34] 7 [18] 9 6 [18] 2 5 [34]
        [138] 2 9 5 [18] 4 7 6 [13]
        [146] [45] [56] 2 3 7 [14] 8 9
        [689] [58] [56] [178] [247] [89] 3 [124] [147]
        2 [138] [18] 6 [47] [138] 5 9 [47]
        7 [139] 4 [13] [29] 5 6 [12] 8)",
     "r7c4-8", "r7c1+1"},
    {"Hidden Quad", R"(1 [2458] [2578] [2458] [257] 6 [237] 9 [478]
        [24589] [2458] 6 [24589] 3 [24578] 1 [2478] [478]
        3 [248] [278] [2489] [1279] [12478] [267] 5 [4678]
        7 [235] [235] [2356] 8 9 4 1 [56]
        [2458] [123458] [12358] [2356] [27] [27] [2679] [2678] [678]
        [258] 6 9 1 4 [257] [257] [278] 3
        [2568] 7 [12358] [23458] [125] [123458] [356] [346] 9
        [25] [1235] 4 [2359] 6 [1235] 8 [37] [157]
        [568] 9 [1358] 7 [15] [13458] [356] [346] 2)",
     "r5c1-28 r5c2-28 r5c3-28 r5c4-26", "r5c9+5"},
    {"X-Wing", R"(5 2 6 7 3 1 8 4 9
        3 7 8 6 4 9 2 5 1
        [19] [19] 4 8 5 2 6 7 3
        [124] [15] [27] 3 9 6 [457] [12] 8
        [124] 6 [37] [14] 8 5 [37] 9 [24]
        8 [135] 9 [14] 2 7 [345] [13] 6
        6 4 [23] 5 1 8 9 [23] 7
        7 [39] 5 [29] 6 [34] 1 8 [24]
        [29] 8 1 [29] 7 [34] [34] 6 5)",
     "r4c1-2", "r5c3+2"},
    {"Skyscraper", R"([347] 2 8 [135] 9 [15] [47] [67] [3456]
        [1379] [13579] [157] 4 [35] 6 2 [78] [1358]
        [134] [15] 6 8 2 7 9 [13] [1345]
        8 [137] [127] 9 6 [12] 5 4 [13]
        5 4 9 [13] 7 8 6 [13] 2
        [123] 6 [12] [135] [345] [1245] 8 9 7
        [79] [579] 3 6 8 [459] 1 2 [49]
        [169] [1589] [145] 2 [45] 3 [47] [678] [4689]
        [269] [89] [24] 7 1 [49] 3 5 [4689])",
     "r6c1-3", "r3c2+3"},
    {"Two-String Kite", R"([347] 2 8 [135] 9 [15] [47] [67] [3456]
        [1379] [13579] [157] 4 [35] 6 2 [78] [1358]
        [134] [135] 6 8 2 7 9 [13] [1345]
        8 [137] [127] 9 6 [12] 5 4 [13]
        5 4 9 [13] 7 8 6 [13] 2
        [123] 6 [12] [135] [345] [1245] 8 9 7
        [79] [579] 3 6 8 [459] 1 2 [49]
        [169] [1589] [145] 2 [45] 3 [47] [678] [4689]
        [269] [89] [24] 7 1 [49] 3 5 [4689])",
     "r3c2-3", "r1c8+3"},
    {"Empty Rectangle", R"(4 2 5 9 [13] [37] 6 [137] 8
        3 [67] [168] [46] 2 [478] 9 [17] 5
        [1678] 9 [168] 5 [136] [378] [134] 2 [14]
        [58] 4 [89] [378] [3578] 1 2 6 [39]
        [256] 1 [269] [46] [356] [349] 7 8 [349]
        [68] 3 7 2 [68] [49] [14] 5 [149]
        [127] 8 [123] [137] 9 5 [13] 4 6
        [16] [56] [136] [138] 4 2 [58] 9 7
        9 [57] 4 [1378] [378] 6 [58] [13] 2)",
     "r7c3-1", "r9c7+1"},
    {"XY-Wing", R"([38] 9 1 2 [345] [356] [58] [46] 7
        [238] [237] 6 [457] [13457] [135] [58] 9 [24]
        4 [27] 5 [678] 9 [68] 1 [26] 3
        9 5 8 1 2 7 4 3 6
        6 [23] [23] [4589] [45] [589] [79] [578] 1
        7 1 4 3 6 [589] 2 [58] [89]
        1 4 9 [67] 8 [236] [37] [27] 5
        [23] 8 [237] [579] [1357] [12359] 6 [147] [249]
        5 6 [237] [79] [137] 4 [379] [1278] [289])",
     "r3c4-6", "r3c8+8"},
    {"XYZ-Wing", R"([179] [19] 8 [124] 6 [2479] [1457] 3 [4579]
        4 5 6 [13] [17] [39] [18] [1789] 2
        [179] 2 3 5 8 [479] [147] 6 [479]
        8 3 7 9 4 1 2 5 6
        [19] 6 [149] 7 2 5 [1348] [18] [38]
        2 [14] 5 6 3 8 9 [17] [47]
        5 [147] [14] [34] 9 6 [378] 2 [38]
        3 [79] [29] 8 5 [27] 6 4 1
        6 8 [24] [1234] [17] [234] [357] [79] [59])",
     "r9c4-4", "r7c4+1"},
    {"W-Wing", R"(3 5 9 [17] [147] 6 [48] [18] 2
        [24] 6 1 [28] [48] 9 5 3 7
        7 [24] 8 [125] [45] 3 9 [16] [46]
        6 3 2 [57] 9 [57] 1 4 8
        8 7 5 [13] [13] 4 6 2 9
        9 1 4 6 2 8 3 7 5
        [45] [48] 7 9 [35] 1 2 [68] [36]
        1 9 6 [378] [378] 2 [47] 5 [34]
        [25] [28] 3 4 6 [57] [78] 9 1)",
     "r7c5-5", "r3c5+1"},
    {"Swordfish", R"(1 8 9 4 2 5 [36] 7 [36]
        2 3 6 [17] [78] 9 [18] 4 5
        [45] 7 [45] [13] 6 [38] 2 [18] 9
        3 4 1 [579] [79] 6 [57] 2 8
        [58] 2 7 [35] 1 [38] 9 6 4
        6 9 [58] [257] [478] [24] [57] 3 1
        7 5 [48] [29] 3 [124] [168] [189] [26]
        [49] 6 [23] 8 [49] [12] [13] 5 7
        [89] 1 [23] 6 5 7 4 [89] [23])",
     "r7c8-8", "r9c3+8"},
    {"Jellyfish", R"(7 5 [49] [689] 1 [289] 3 [246] [46]
        [16] [126] [69] 3 4 [29] 5 7 8
        8 [23] [34] 5 [67] [27] [246] 9 1
        [36] 7 5 1 8 [34] 9 [46] 2
        9 4 8 2 5 6 7 1 3
        2 [36] 1 [47] 9 [347] 8 5 [46]
        4 8 [36] [67] [267] 5 1 [23] 9
        5 9 2 [48] 3 1 [46] [468] 7
        [136] [13] 7 [489] [26] [489] [24] [2348] 5)",
     "r1c8-6 r2c1-6 r7c5-6", "r3c2+6"},
    {"Finned X-Wing", R"([49] [369] [139] [12349] 7 5 8 [246] [346]
        2 8 [139] 6 [39] [1349] [349] 5 7
        [479] [3679] 5 8 [239] [2349] [2349] [246] 1
        8 [479] 6 [2479] 1 [2479] [47] 3 5
        1 2 [47] [347] 5 [347] 6 9 8
        3 5 [49] [479] 6 8 1 [47] 2
        5 [3479] [23479] [12379] [2389] 6 [2347] [1278] [34]
        6 1 [2347] [237] [238] [237] 5 [2478] 9
        [79] [379] 8 5 4 [12379] [237] [1267] [36])",
     "r2c3-9", "r1c8+9"},
    {"Sashimi X-Wing", R"([45] 3 [157] [1456] [1467] 8 9 [1567] 2
        2 6 9 [15] 3 [157] 4 [157] 8
        [458] [1578] [157] [12456] [12467] 9 3 [1567] [1567]
        7 4 [156] 8 9 [156] 2 3 [16]
        [89] [89] 3 7 [16] 2 [156] 4 [156]
        [56] [15] 2 [1456] [146] 3 7 8 9
        [569] [259] 4 3 [1268] [16] [1568] [1567] [1567]
        3 [27] 8 [126] 5 [167] [16] 9 4
        1 [57] [567] 9 [678] 4 [568] 2 3)",
     "r9c5-6", "r1c3+6"},
    {"Finned Swordfish", R"(1 [256] [248] [2378] [378] [78] 9 [245] [256]
        7 [24569] [29] 1 [45] [24] [56] 3 8
        3 [245] [458] [2458] 6 9 1 [245] 7
        2 [57] 6 [458] [1458] [148] 3 [578] 9
        4 8 [57] [39] [39] [27] [257] 6 1
        9 3 1 [2578] [78] 6 4 [2578] [25]
        5 [79] [79] 6 2 3 8 1 4
        6 1 [24] [4789] [4789] 5 [27] [279] 3
        8 [24] 3 [479] [1479] [147] [567] [2579] [26])",
     "r2c2-2", "r1c6+2"},
    {"Sashimi Swordfish", R"(1 [56] [48] [2378] [378] [78] 9 [245] [256]
        7 [569] [29] 1 [45] [24] [56] 3 8
        3 [24] [58] [58] 6 9 1 [24] 7
        2 [57] 6 [48] [158] [148] 3 [578] 9
        4 8 [57] [39] [39] [27] [257] 6 1
        9 3 1 [2578] [78] 6 4 [578] [25]
        5 [79] [79] 6 2 3 8 1 4
        6 1 [24] [4789] [4789] 5 [27] [79] 3
        8 [24] 3 [479] [1479] [17] [567] [2579] [26])",
     "r4c8-5", "r3c2+5"},
    {"Finned Jellyfish", R"([169] [5679] 4 [169] [1569] 8 [17] 2 3
        8 [567] [567] 3 [1256] [25] 4 [179] [19]
        [19] 2 3 [19] 4 7 5 6 8
        5 [38] [179] 4 [2379] [239] 6 [189] [129]
        4 [38] [19] 5 [239] 6 [12] [189] 7
        [69] [679] 2 8 [79] 1 3 4 5
        2 4 [56] 7 8 [35] 9 [135] [16]
        3 [569] 8 [169] [1569] [459] [27] [57] [246]
        7 1 [569] 2 [3569] [3459] 8 [35] [46])",
     "r9c5-9", "r8c8+9"},
    {"Sashimi Jellyfish", R"(4 [16] [159] 7 [59] 8 [169] 2 3
        [67] 8 [27] 1 3 [269] [69] 4 5
        [69] 3 [1259] [469] [256] [2469] [16] 7 8
        5 9 [46] [46] 8 7 2 3 1
        2 7 [16] 3 [16] 5 8 9 4
        3 [14] 8 [49] [129] [249] 5 6 7
        8 2 [34] 5 7 [69] [34] 1 [69]
        [679] 5 [379] 2 4 1 [37] 8 [69]
        1 [46] [479] 8 [69] 3 [47] 5 2)",
     "r3c1-6", "r1c5+6"},
    {"X-Chain", R"([179] [19] 8 [124] 6 [2479] [1457] 3 [4579]
        4 5 6 [13] [17] [39] [18] [1789] 2
        [179] 2 3 5 8 [479] [147] 6 [479]
        8 3 7 9 4 1 2 5 6
        [19] 6 [149] 7 2 5 [1348] [18] [38]
        2 [14] 5 6 3 8 9 [17] [47]
        5 [147] [14] [34] 9 6 [378] 2 [38]
        3 [79] [29] 8 5 [27] 6 4 1
        6 8 [24] [123] [17] [234] [357] [79] [59])",
     "r1c7-4", "r9c4+4"},
    {"XY-Chain", R"(2 7 [15] [19] [34] [34] 8 [59] 6
        8 3 9 5 2 6 1 [47] [47]
        [15] 4 6 7 8 [19] [29] [25] 3
        4 [16] [135] 8 9 2 [36] [137] [57]
        [15] [1289] [1258] 3 6 7 [49] [148] [459]
        7 [69] [38] 4 1 5 [69] [38] 2
        3 [128] [128] 6 7 [149] 5 [24] [49]
        6 [25] 4 [29] [35] 8 7 [239] 1
        9 [125] 7 [12] [345] [134] [234] 6 8)",
     "r8c8-9", "r3c8+9"},
    {"Alternating Inference Chain", R"(4 3 2 [568] [56] 1 9 7 [68]
        [167] 5 [168] 9 [27] [68] [26] 3 4
        [6789] [78] [689] 3 [27] 4 1 5 [268]
        5 [14] 7 [14] 8 9 [23] 6 [23]
        [68] [148] 3 2 [146] 5 7 [18] 9
        [1689] 2 [1689] [16] 3 7 4 [18] 5
        [178] 9 4 [1568] [156] 3 [56] 2 [67]
        2 [178] [18] [14568] [1456] [68] [356] 9 [37]
        3 6 5 7 9 2 8 4 1)",
     "r7c4-6", ""},
    {"Unique Rectangle Type 1", R"(7 [259] [49] [28] [238] [68] 1 [459] [346]
        1 [26] [346] 5 [236] 9 7 [34] 8
        [36] [3589] [389] 1 7 4 [3569] 2 [39]
        2 [1389] [1389] 6 4 7 [39] [1389] 5
        [39] 7 5 [28] [28] [13] 4 6 [139]
        4 [68] [1368] 9 5 [13] 2 [138] 7
        5 4 [16] 3 9 2 8 7 [16]
        8 [39] 7 4 [16] 5 [369] [139] 2
        [369] [139] 2 7 [18] [68] [359] [3459] [34])",
     "r1c5-28", "r1c4+1"},
    {"Unique Rectangle Type 2", R"(5 7 [89] [2389] 6 1 [29] [234] [49]
        [289] [28] 1 [38] 4 [78] [579] [35] 6
        3 4 6 [29] [27] 5 [1279] [127] 8
        [46] [568] [4578] [28] [127] 9 [1257] [124578] 3
        [89] [389] 2 5 [137] 4 6 [178] [179]
        1 [359] [34579] 6 [237] [78] [2579] [24578] [479]
        7 [368] [348] 1 5 [36] [48] 9 2
        [269] [259] [59] 4 8 [26] 3 [17] [17]
        [24] 1 [348] 7 9 [23] [48] 6 5)",
     "r6c3-3 r7c2-3", "r7c3+1"},
    {"Unique Rectangle Type 3", R"([79] [78] 4 [589] 1 2 3 [56] [567]
        [2679] [127] [167] 3 [57] [79] 8 4 [257]
        5 [278] 3 6 [478] [478] [27] 9 1
        [67] 4 [1679] [125] [26] [15] [29] 3 8
        8 [15] 2 7 9 3 4 [156] [56]
        3 [159] [16] [128] [2468] [48] [15] 7 [29]
        1 3 [79] [2589] [258] 6 [579] [28] 4
        4 6 5 [1289] [278] [789] [19] [28] 3
        [27] [279] 8 4 3 [15] 6 [15] [79])",
     "r3c5-7", "r2c5+1"},
    {"Unique Rectangle Type 4", R"(6 7 [589] [1589] [1589] 2 [35] [48] [34]
        [48] 3 1 [458] 6 7 [25] 9 [28]
        [24589] [489] [2589] 3 [4589] [589] 6 7 1
        [189] 2 3 7 [189] [1689] 4 5 [689]
        [589] [49] 7 [4589] [34589] [35689] 1 [28] [2689]
        [14589] 6 [4589] [14589] 2 [1589] 7 3 [89]
        3 [18] 6 [1589] [59] 4 [29] [12] 7
        [29] 5 [29] 6 7 [13] 8 [14] [34]
        7 [148] [48] 2 [1389] [1389] [39] 6 5)",
     "r3c1-9 r3c3-9", "r3c2+2"},
    {"BUG+1", R"([16] 7 4 2 3 5 9 8 [16]
        2 9 8 6 1 4 3 7 5
        3 5 [16] 7 8 9 [16] 2 4
        [14] [24] 3 8 5 7 [16] 9 [126]
        9 6 5 1 4 2 8 3 7
        7 8 [12] 9 6 3 4 5 [12]
        5 1 7 4 9 8 2 6 3
        [48] [24] [29] 3 7 6 5 1 [89]
        [68] 3 [69] 5 2 1 7 4 [89])",
     "r4c9=1", "r1c1+2"},
    {"ALS-XZ", R"(3 7 [49] 8 [14569] [1469] [59] [12569] [125]
        1 [459] 6 2 [459] [49] 7 3 8
        8 [59] 2 [13569] [13569] 7 4 [1569] [15]
        4 [1369] [389] [1569] 2 [1369] [358] 7 [135]
        [59] [139] 7 [1459] [14589] [13489] 6 [24] [2345]
        [56] 2 [38] [1456] 7 [1346] [358] [1458] 9
        2 [3469] 5 7 [4689] [4689] 1 [489] [34]
        [69] 8 1 [3469] [3469] 5 2 [49] 7
        7 [34] [349] [149] [1489] 2 [3589] [4589] 6)",
     "r5c9-5", "r3c9+3"},
    {"ALS-XY-Wing", R"([34789] [348] 5 6 [2489] [279] [248] 1 [247]
        2 6 [478] [578] [45] 1 3 9 [47]
        [4789] 1 [4789] [289] 3 [2479] [56] [2678] [2457]
        [349] 5 6 1 7 [2349] [29] [23] 8
        [34789] [2348] [234789] [2359] [2459] [2349] [56] [236] 1
        1 [23] [239] [2359] 6 8 7 4 [2359]
        [348] [2348] [2348] [79] 1 6 [2489] 5 [23479]
        5 9 1 4 [28] [37] [28] [37] 6
        6 7 [2348] [2389] [289] 5 1 [238] [2349])",
     "r7c9-2", "r7c1+1"},
    {"Contradiction Net", R"([46] 1 [67] [679] 8 [479] 5 2 3
        [2468] 9 [258] 3 [4567] [457] 1 [47] [678]
        3 [4567] [5678] [567] 1 2 [678] [478] 9
        9 [27] 1 [258] [45] [458] 3 6 [278]
        5 [267] [2678] 1 [279] 3 [279] [78] 4
        [28] 3 4 [26789] [2679] [789] [2789] 1 5
        7 [256] [256] 4 [259] [589] [268] 3 1
        1 [245] 3 [2578] [257] 6 [2478] 9 [278]
        [246] 8 9 [27] 3 1 [2467] 5 [267])",
     "r1c4-67 r1c6-9 r2c1-46 r2c3-5 r2c5-7 r2c9-7 r3c2-67 r3c3-67 r3c4-5 r4c4-25 "
     "r4c6-8 r4c9-8 r5c3-7 r5c7-7 r6c4-289 r6c5-7 r6c6-8 r7c6-5 r8c4-27 r8c7-78 "
     "r9c1-2 r9c7-2", ""},
    {"Forcing Net", R"(3 1 4 7 8 5 6 9 2
        2 8 5 9 6 1 4 7 3
        6 9 7 3 2 4 1 5 8
        5 [23] [69] [26] 4 [37] [279] 8 1
        1 4 [68] [26] 9 [78] [27] 3 5
        7 [23] [89] 1 5 [38] [29] 4 6
        4 6 1 5 3 9 8 2 7
        8 5 2 4 7 6 3 1 9
        9 7 3 8 1 2 5 6 4)",
     "r4c2-2 r4c3-6 r4c4-2 r4c6-3 r4c7-79 r5c3-8 r5c4-6 r5c6-7 r5c7-2 r6c2-3 "
     "r6c3-9 r6c6-8 r6c7-2", ""},
};

using testing_support::CellName;
using testing_support::DeductionText;

// The position with candidate d added to cell k, both read from "rRcC+D".
Pencilmarks WithCandidateAdded(const Pencilmarks& marks, std::string_view added) {
  const int k = 9 * (added[1] - '1') + (added[3] - '1');
  const int d = added[5] - '0';
  std::string text = engine::PencilmarksText(marks);
  // Cells are written one field each, in order: find field k and add the digit before "]".
  size_t field = 0;
  for (int cell = 0; cell < k; ++cell) field = text.find_first_of(" \n", field) + 1;
  const size_t close = text.find(']', field);
  text.insert(close, 1, static_cast<char>('0' + d));
  Pencilmarks wider;
  EXPECT_TRUE(engine::PencilmarksFromText(text, wider)) << text;
  EXPECT_TRUE(wider.Candidates(k) & DigitBit(d)) << added;
  return wider;
}

// The one completion of a position: its digits kept, its struck candidates left out.
bool SolutionOf(const Pencilmarks& marks, Digits& solution) {
  engine::CandidateGrid grid;
  for (int k = 0; k < 81; ++k) {
    if (marks.DigitAt(k) != 0 && !grid.Place(k, marks.DigitAt(k))) return false;
    for (int d = 1; d <= 9; ++d) {
      if (marks.DigitAt(k) == 0 && !(marks.Candidates(k) & DigitBit(d)) && !grid.Eliminate(k, d)) {
        return false;
      }
    }
  }
  engine::StartDigits start;
  start.fill(1);
  engine::SearchMonitor monitor;
  return engine::CountCompletions(grid, 2, start, &solution, monitor) == 1;
}

// Every placement is the solution's digit and no strike removes it.
::testing::AssertionResult KeepsSolution(const Deduction& found, const Digits& solution) {
  for (int k = 0; k < 81; ++k) {
    if ((found.place[k] != 0 && found.place[k] != solution[k]) ||
        (found.strike[k] & DigitBit(solution[k]))) {
      return ::testing::AssertionFailure()
             << "wrong at " << CellName(k) << ", the solution has " << int{solution[k]};
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(GraderTest, EachTechniqueFindsExactlyItsDeductionsAndNothingOnceItsPatternIsBroken) {
  std::set<std::string_view> covered;
  for (const TechniqueCase& row : kTechniqueCases) {
    SCOPED_TRACE(row.technique);
    const engine::Technique* technique = engine::FindTechnique(row.technique);
    ASSERT_NE(technique, nullptr);
    covered.insert(row.technique);
    Pencilmarks marks;
    ASSERT_TRUE(engine::PencilmarksFromText(row.position, marks));
    Digits solution{};
    ASSERT_TRUE(SolutionOf(marks, solution));

    Deduction found;
    EXPECT_TRUE(technique->find(marks, found));
    EXPECT_EQ(DeductionText(found), row.finds);
    EXPECT_TRUE(KeepsSolution(found, solution));

    if (row.breaker.empty()) continue;
    Deduction none;
    EXPECT_FALSE(technique->find(WithCandidateAdded(marks, row.breaker), none));
    EXPECT_EQ(DeductionText(none), "");
  }
  EXPECT_EQ(covered.size(), engine::Techniques().size());
}

// Where a made puzzle's solve stalled, 46 cells short, before the grader had its advanced
// techniques, none below them may find anything, and what those find keeps the solution.
TEST(GraderTest, OnlyAdvancedTechniquesFindAnythingWhereTheOthersStall) {
  Pencilmarks marks;
  ASSERT_TRUE(engine::PencilmarksFromText(R"([124] [278] 9 [78] 3 [458] [48] [1257] 6
      [1347] [378] 5 2 6 [489] [48] [179] [19]
      [467] [2678] [2478] [789] [458] 1 3 [2579] [29]
      [79] 4 3 1 [78] [89] 2 6 5
      8 1 [27] 5 [27] 6 9 3 4
      [29] 5 6 [39] [24] [2349] 1 8 7
      [237] [23789] 1 4 [258] [2358] 6 [29] [2389]
      [2346] [23689] [248] [368] 1 7 5 [249] [2389]
      5 [2368] [248] [368] 9 [238] 7 [124] [1238])",
                                          marks));
  Digits solution{};
  ASSERT_TRUE(SolutionOf(marks, solution));
  for (const engine::Technique& technique : engine::Techniques()) {
    Deduction found;
    const bool any = technique.find(marks, found);
    if (technique.level == engine::GradeLevel::Advanced) {
      EXPECT_TRUE(KeepsSolution(found, solution)) << technique.name;
    } else {
      EXPECT_FALSE(any) << technique.name;
      EXPECT_EQ(DeductionText(found), "") << technique.name;
    }
  }
}

// Grades each puzzle step by step, checking every step against the puzzle's one solution,
// and checks the rating against the steps.
void ExpectSoundSolves(const std::vector<Digits>& puzzles) {
  for (const Digits& puzzle : puzzles) {
    Digits solution{};
    if (testing_support::CountSolutions(puzzle, &solution) != 1) continue;
    Pencilmarks marks;
    ASSERT_TRUE(marks.PlaceAll(puzzle));
    std::vector<bool> used(engine::Techniques().size());
    Deduction step;
    engine::UniqueSolution unique(puzzle);
    for (int technique; !marks.IsComplete() &&
                        (technique = engine::ApplySimplestTechnique(marks, unique, &step)) >= 0;) {
      ASSERT_TRUE(KeepsSolution(step, solution))
          << engine::Techniques()[static_cast<size_t>(technique)].name;
      used[static_cast<size_t>(technique)] = true;
    }
    std::vector<std::string_view> names;
    engine::GradeLevel hardest = engine::GradeLevel::Singles;
    for (size_t i = 0; i < used.size(); ++i) {
      if (!used[i]) continue;
      names.push_back(engine::Techniques()[i].name);
      hardest = std::max(hardest, engine::Techniques()[i].level);
    }
    const engine::Grading grading = engine::GradePuzzle(puzzle);
    EXPECT_EQ(grading.techniques, names);
    EXPECT_EQ(grading.level, marks.IsComplete() ? hardest : engine::GradeLevel::Beyond);
    for (int k = 0; k < 81; ++k) {
      ASSERT_EQ(grading.solution[k], marks.DigitAt(k));
      ASSERT_TRUE(grading.solution[k] == 0 || grading.solution[k] == solution[k]);
    }
  }
}

TEST(GraderTest, EveryStepOfMadePuzzlesKeepsTheirSolution) {
  engine::RandomGenerator random(16);
  std::vector<Digits> puzzles;
  for (int i = 0; i < 60; ++i) puzzles.push_back(engine::SymmetricPuzzle(random));
  ExpectSoundSolves(puzzles);
}

TEST(GraderTest, EveryStepOfPublishedPuzzlesKeepsTheirSolution) {
  const std::filesystem::path folder = DERADU_PUZZLE_DIR;
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no puzzle folder " << folder;
  for (const char* name : {"top1465.txt", "17-clue.txt", "forum-hardest-1106.txt"}) {
    SCOPED_TRACE(name);
    const std::vector<Digits> puzzles =
        testing_support::ReadPuzzleFile((folder / name).string(), 100);
    EXPECT_EQ(puzzles.size(), 100u);
    ExpectSoundSolves(puzzles);
  }
}

TEST(GraderTest, PublishedVeryHardPuzzlesRateChainsOrBeyond) {
  const std::filesystem::path file =
      std::filesystem::path(DERADU_PUZZLE_DIR) / "forum-hardest-1106.txt";
  if (!std::filesystem::is_regular_file(file)) GTEST_SKIP() << "no puzzle file " << file;
  const std::vector<Digits> puzzles = testing_support::ReadPuzzleFile(file.string());
  EXPECT_GE(puzzles.size(), 300u);
  for (size_t i = 0; i < puzzles.size(); ++i) {
    EXPECT_GE(engine::GradePuzzle(puzzles[i]).level, engine::GradeLevel::Chains) << "puzzle " << i;
  }
}

// Every technique is sound for all solutions at once, so a solve without guessing can only
// finish a puzzle with exactly one.
TEST(GraderTest, PuzzlesWithoutExactlyOneSolutionRateBeyond) {
  Digits clash{};
  clash[0] = clash[8] = 5;  // twice in the top row
  Digits several{};
  engine::RandomGenerator random(5);
  const Digits puzzle = engine::SymmetricPuzzle(random);
  for (int k = 0; k < 81 && testing_support::CountSolutions(several) != 2; ++k) {
    several = puzzle;
    several[k] = 0;
  }
  ASSERT_EQ(testing_support::CountSolutions(several), 2);
  for (const Digits& givens : {Digits{}, clash, several}) {
    const engine::Grading grading = engine::GradePuzzle(givens);
    EXPECT_EQ(grading.level, engine::GradeLevel::Beyond);
    EXPECT_TRUE(std::find(grading.solution.begin(), grading.solution.end(), 0) !=
                grading.solution.end());
  }
}

// The uniqueness techniques assume one solution: a puzzle with several never reaches them,
// where they would strike one of its solutions and could finish the other.
TEST(GraderTest, PuzzlesWithSeveralSolutionsNeverUseUniquenessTechniques) {
  const std::filesystem::path file =
      std::filesystem::path(DERADU_PUZZLE_DIR) / "multi-solution-10000.txt";
  if (!std::filesystem::is_regular_file(file)) GTEST_SKIP() << "no puzzle file " << file;
  const std::vector<Digits> puzzles = testing_support::ReadPuzzleFile(file.string(), 100);
  EXPECT_EQ(puzzles.size(), 100u);
  for (size_t i = 0; i < puzzles.size(); ++i) {
    const engine::Grading grading = engine::GradePuzzle(puzzles[i]);
    EXPECT_EQ(grading.level, engine::GradeLevel::Beyond) << "puzzle " << i;
    for (std::string_view name : grading.techniques) {
      EXPECT_FALSE(engine::FindTechnique(name)->needsUniqueness) << "puzzle " << i << " " << name;
    }
  }
}

}  // namespace
