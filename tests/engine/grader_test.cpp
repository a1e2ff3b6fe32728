// The grader: each technique on a position where it applies and on the same position with
// its pattern broken, every step of whole solves against the known solution, and the rating
// of published very hard puzzles.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "game/engine/grade_techniques.h"
#include "game/engine/grader.h"
#include "tests/engine/grade_puzzles.h"

namespace {

using engine::Deduction;
using engine::Digits;
using engine::DigitBit;
using engine::Pencilmarks;

// A position from a solve where the technique is the simplest that applies: what it must find
// there ("r8c4=4" places 4 in row 8, column 4; "r5c8-9" strikes candidate 9), and a candidate
// added back ("r7c4+4") that breaks its pattern, after which it must find nothing.
struct TechniqueCase {
  std::string_view technique;
  std::string_view position;
  std::string_view finds;
  std::string_view breaker;
};

const TechniqueCase kTechniqueCases[] = {
    {"Hidden Single", R"(3 [16] 7 [89] 4 [12689] [268] [256] [2568]
        [256] [456] [2456] [378] [378] [368] [468] 9 1
        8 [146] 9 5 [12] [126] [246] [37] [37]
        4 [56] [1256] [389] [389] [389] 7 [1256] [256]
        [2579] [3578] [25] 1 6 [47] [289] [2345] [234589]
        [1679] [3678] [16] 2 5 [47] [1689] [1346] [34689]
        [1567] [4567] [1456] [79] [1279] [1259] 3 8 [2679]
        [167] 9 [38] [3478] [12378] [1238] 5 [12467] [2467]
        [157] 2 [38] 6 [13789] [13589] [19] [147] [479])",
     "r8c4=4", "r7c4+4"},
    {"Naked Single", R"(3 [156] 7 [589] 4 [125689] [268] [256] [2568]
        [256] [456] [2456] [3578] [378] [3568] [468] 9 1
        8 [1456] 9 [5] [12] [1256] [246] [234567] [234567]
        4 [3568] [1256] [389] [389] [389] 7 [12356] [235689]
        [2579] [3578] [25] 1 6 [34789] [2489] [2345] [234589]
        [1679] [3678] [16] 2 5 [34789] [14689] [1346] [34689]
        [1567] [4567] [1456] [4579] [1279] [1259] 3 8 [24679]
        [167] 9 [13468] [3478] [12378] [1238] 5 [12467] [2467]
        [157] 2 [13458] 6 [13789] [13589] [149] [147] [479])",
     "r3c4=5", "r3c4+3"},
    {"Pointing", R"(8 [79] 5 [46] [3467] [3467] [1367] [1349] 2
        4 [27] 6 9 [237] 1 [3578] [358] [3578]
        3 [279] 1 [58] [2467] [58] [67] [49] [46]
        [15] 6 9 7 [13] [238] 4 [12358] [1358]
        2 [38] [47] [1468] 5 [34689] [1378] [1389] [13789]
        [15] [38] [47] [1248] [1349] [23489] [123578] 6 [135789]
        [79] 5 2 3 8 [79] [16] [14] [46]
        [67] 1 [38] [2456] [467] [24567] 9 [2358] [358]
        [69] 4 [38] [1256] [169] [2569] [2358] 7 [358])",
     "r5c8-9", "r3c9+9"},
    {"Claiming", R"(8 5 7 [69] [26] [269] 4 1 3
        9 [26] [14] 3 [1478] [148] 5 [2678] [678]
        3 [26] [14] [1478] 5 [148] [269] [2689] [6789]
        [25] 4 8 [156] [1236] 7 [1369] [369] [169]
        7 [39] [369] [14689] [13468] [134689] [1369] 5 2
        [25] 1 [369] [569] [236] [23569] 7 [48] [48]
        6 [389] [39] 2 [13478] [1348] [13] [347] 5
        [14] 7 [25] [1456] [1346] [13456] 8 [23469] [1469]
        [14] [38] [25] [145678] 9 [134568] [1236] [23467] [1467])",
     "r5c7-9", "r4c4+9"},
    {"Naked Pair", R"(8 1 9 4 [26] [26] 3 7 5
        [46] 3 [26] 7 5 1 [24] 8 9
        5 [24] 7 8 3 9 [246] [16] [12]
        [19] 7 8 5 4 3 [19] 2 6
        3 [24] [124] 6 9 [27] [17] 5 8
        [69] 5 [26] 1 [27] 8 [79] 4 3
        7 6 3 2 1 5 8 9 4
        2 9 [14] 3 8 [46] 5 [16] 7
        [14] 8 5 9 [67] [467] [26] 3 [12])",
     "r5c3-2", "r2c3+4"},
    {"Hidden Pair", R"(4 [159] 7 [25] [19] 8 [29] 6 3
        3 [59] 8 [25] [79] 6 [279] 4 1
        [19] 6 2 [17] 3 4 [79] 5 8
        [25] 7 6 3 [125] [1259] 8 [19] 4
        8 [129] [59] 6 4 [1259] 3 [19] 7
        [19] 3 4 8 [17] [179] 6 2 5
        [25] [29] [59] [17] 8 [17] 4 3 6
        6 8 3 4 [25] [25] 1 7 9
        7 4 1 9 6 3 5 8 2)",
     "r4c5-1", "r1c5+2"},
    {"Naked Triple", R"([135] [135] [247] 9 [2347] [1247] [237] 8 6
        [1389] [368] [247] [12478] [23478] [124678] 5 [234] [2379]
        [389] [368] [247] [2478] 5 [24678] [2379] [234] 1
        [135] 2 6 [178] [78] 9 [378] [135] 4
        7 [13] 8 5 [24] [124] 6 9 [23]
        4 [159] [159] 3 6 [278] [278] [15] [2578]
        2 [1589] [159] [47] [47] 3 [189] 6 [589]
        [158] 4 [135] 6 9 [258] [1238] 7 [2358]
        6 7 [359] [28] 1 [258] 4 [235] [23589])",
     "r6c9-5", "r6c8+2"},
    {"Hidden Triple", R"([13457] 2 9 8 [34] [1345] 6 [1347] [347]
        [13456] [136] 8 7 [69] [1345] [19] 2 [349]
        [13467] [1367] [147] [26] [269] [134] [1789] 5 [34789]
        [127] [17] 5 9 8 6 3 [147] [247]
        [89] 4 [37] [35] 1 2 [5789] [789] 6
        [689] [689] [123] 4 [35] 7 [125] [189] [25]
        [23478] [378] 6 [235] [23457] 9 [2578] [378] 1
        [12379] [1379] [127] [1236] [23567] 8 4 [379] [23579]
        [1234789] 5 [1247] [123] [2347] [34] [2789] 6 [23789])",
     "r6c8-1", "r6c7+8"},
    {"Naked Quad", R"([345] [3689] [5789] [25] 1 [689] [234] [79] [23]
        [345] [3689] [5789] [25] [678] [689] [234] [79] 1
        [79] 1 2 [79] 3 4 8 6 5
        [79] [89] [1789] 4 [5678] 3 [156] 2 [67]
        2 5 [178] [79] [678] [689] [16] 3 4
        6 4 3 1 [57] 2 [59] 8 [79]
        [35] [39] [59] 6 2 1 7 4 8
        1 2 6 8 4 7 [39] 5 [39]
        8 7 4 3 9 5 [26] 1 [26])",
     "r1c2-3 r1c3-5", "r1c1+7"},
    {"Hidden Quad", R"(9 [56] [58] 3 [68] 1 7 2 4
        1 [347] [34] [47] 2 [68] [689] [689] 5
        [78] [46] 2 [45] 9 [57] 3 [68] 1
        2 [157] [458] 6 [478] 9 [48] [15] 3
        6 [34] 9 [12] 5 [38] [248] [18] 7
        [78] [15] [3458] [12] [34] [378] [269] [1569] [69]
        4 8 [16] 9 [36] [356] [15] 7 2
        3 9 [16] [57] [67] 2 [15] 4 8
        5 2 7 8 1 4 [69] 3 [69])",
     "r6c3-5", "r6c2+3"},
    {"X-Wing", R"([237] [268] [678] 4 1 [268] [237] 5 9
        4 [269] [1679] [36] 5 [269] 8 [2367] [126]
        [23] 5 [1689] 7 [2368] [2689] [1234] [2346] [12346]
        [27] [26] [67] 5 9 [14] [134] 8 [134]
        [589] 1 [589] 2 [4678] 3 [4579] [4679] [456]
        [589] 3 4 [16] [678] [1678] [12579] [2679] [1256]
        [16] [49] 3 8 [67] [167] [2459] [249] [245]
        [1589] [489] [589] [13] [24] [1245] 6 [349] 7
        [56] 7 2 9 [34] [56] [34] 1 8)",
     "r3c8-3", "r8c5+3"},
    {"Skyscraper", R"(5 8 1 9 3 2 7 4 6
        [46] [37] [3467] 5 [468] [678] 9 2 1
        9 [27] [2467] [17] [146] [67] 3 [58] [58]
        7 6 [59] 2 [18] [58] [14] 3 [49]
        [12] 4 [59] 3 [16] [567] 8 [19] [27]
        [128] [123] [238] [17] 9 4 5 6 [27]
        [268] 9 [268] 4 5 1 [26] 7 3
        3 [127] [2467] 8 [27] 9 [1246] [15] [45]
        [124] 5 [247] 6 [27] 3 [124] [89] [89])",
     "r5c1-1", "r9c8+1"},
    {"Two-String Kite", R"(6 [57] 9 [234] [2345] [2345] [1347] [1245] 8
        [23] [58] [23] 7 [458] 1 [469] [4569] [569]
        4 [578] 1 [69] [2358] [69] [37] [25] [2357]
        [157] 9 8 [123] 6 [2357] [17] [12] 4
        [157] 2 [46] [1489] [1457] [45789] [16789] 3 [1679]
        [17] 3 [46] [12489] [1247] [24789] 5 [12689] [12679]
        [239] 1 [23] 5 [34] [3468] [34689] 7 [369]
        8 [46] [57] [12346] 9 [23467] [1346] [1456] [1356]
        [39] [46] [57] [13468] [1347] [34678] 2 [145689] [13569])",
     "r6c6-8", "r7c5+8"},
    {"Empty Rectangle", R"([34589] [459] [458] [469] [249] [469] [2349] 7 1
        [349] 2 [67] 8 [479] 1 [3469] [3569] [34569]
        [49] 1 [67] 5 [2479] 3 [2469] [2689] [24689]
        7 [458] 9 1 6 [458] [234] [235] [2345]
        [45] [456] 3 2 [459] [4579] 8 1 [45679]
        1 [4568] 2 [349] [34589] [45789] [4679] [569] [45679]
        [489] 3 1 [4679] [489] 2 5 [689] [6789]
        6 [579] [58] [379] 1 [589] [2379] 4 [23789]
        2 [4579] [458] [34679] [34589] [45689] 1 [3689] [36789])",
     "r9c5-4", "r2c3+4"},
    {"XY-Wing", R"(4 1 7 [358] [39] [359] 2 6 [58]
        [58] 3 [26] [1458] 7 [26] [59] [49] [14589]
        [58] [26] 9 [1458] [26] [15] [37] [37] [1458]
        9 [24] [24] [17] 8 [17] 6 5 3
        6 7 1 [35] 4 [35] 8 [29] [29]
        3 8 5 9 [26] [26] 4 1 7
        7 9 8 6 [35] 4 1 [23] [25]
        2 5 [46] [37] 1 [379] [39] 8 [46]
        1 [46] 3 2 [59] 8 [579] [479] [4569])",
     "r9c8-9", "r8c7+7"},
    {"XYZ-Wing", R"([48] 1 3 5 9 [248] [78] [267] [268]
        [589] [26] [256] [268] 7 [128] 4 [12359] [12358]
        [4589] [2467] [2567] [2468] 3 [1248] [1589] [1259] [1258]
        1 [36] [56] [247] [45] [247] [367] 8 9
        2 [39] 4 [78] 6 [5789] [1357] [157] [157]
        7 [569] 8 3 1 [59] [56] [24] [24]
        3 8 [279] 1 [245] 6 [579] [4579] [457]
        6 [45] [19] [47] 8 [57] 2 [139] [13]
        [45] [27] [127] 9 [245] 3 [1578] [14567] [145678])",
     "r3c3-6", "r2c2+5"},
    {"W-Wing", R"(5 6 7 [24] 9 [24] [18] 3 [18]
        [29] 3 [29] 8 6 1 [57] 4 [57]
        1 4 8 3 7 5 9 [26] [26]
        6 2 [35] 1 4 8 [357] [79] [579]
        [49] [59] [13459] 7 [35] [26] [1345] 8 [26]
        [78] [78] [1345] [26] [35] 9 [1345] [26] [15]
        [27] 1 [25] 9 8 3 6 [57] 4
        3 [79] [46] 5 2 [46] [78] 1 [789]
        [48] [589] [4569] [46] 1 7 2 [59] 3)",
     "r9c2-5", "r8c3+9"},
    {"Swordfish", R"([12] 6 4 8 [12] 7 5 3 9
        [79] 8 5 [69] 4 3 [67] 1 2
        [12] 3 [79] [12] 5 [69] [67] 4 8
        6 [57] 3 [279] [29] [59] 4 8 1
        8 4 [79] 3 6 1 2 [79] 5
        [59] 1 2 [47] 8 [45] [39] 6 [37]
        3 9 [16] [16] 7 2 8 5 4
        4 [57] [16] [159] [139] 8 [39] 2 [67]
        [57] 2 8 [456] [39] [46] 1 [79] [367])",
     "r9c9-7", "r6c7+7"},
    {"Jellyfish", R"([56] 2 [78] 4 [79] [568] 3 1 [569]
        [56] [48] [47] 3 [79] 1 [56] [89] 2
        9 1 3 [68] 2 [568] [568] 4 7
        3 6 [58] [29] 1 4 [258] 7 [59]
        [48] 9 2 5 6 7 1 3 [48]
        1 7 [45] [29] 8 3 [456] [29] [56]
        [48] [48] 1 7 5 2 9 6 3
        7 5 6 1 3 9 [248] [28] [48]
        2 3 9 [68] 4 [68] 7 5 1)",
     "r8c7-8", "r1c1+8"},
    {"X-Chain", R"(8 [1579] [45679] [479] 3 [26] [1245] [1245] [12459]
        [349] 2 [34579] [4789] [478] 1 [458] [345] 6
        [13469] [139] [3469] [489] 5 [26] 7 [1234] [23489]
        5 6 1 [378] [78] [37] 9 [24] [24]
        [39] [3789] [379] 2 [19] 4 [1568] [13567] [13578]
        [24] [3789] [24] 6 [19] 5 [18] [137] [1378]
        7 [15] [256] [45] [26] 8 3 9 [1245]
        [2369] [359] [23569] 1 [2467] [379] [2456] 8 [2457]
        [12369] 4 8 [357] [267] [379] [1256] [12567] [1257])",
     "r2c8-4", "r7c5+4"},
    {"XY-Chain", R"(3 8 5 6 [27] 1 [247] [2479] [479]
        1 [67] 9 5 [278] 4 [368] [27] [368]
        [47] 2 [46] [78] 3 9 5 1 [68]
        [4678] [679] [1268] [23] [6789] 5 [23478] [2479] [134789]
        [59] 3 [248] [278] 1 [28] [47] 6 [59]
        [678] [5679] [1268] 4 [6789] [2368] [2378] [2579] [135789]
        [29] 1 7 [239] 5 [23] [46] 8 [46]
        [28] 4 3 1 [68] [268] 9 [57] [57]
        [5689] [59] [68] [89] 4 7 1 3 2)",
     "r9c4-8", "r3c1+6"},
    {"Alternating Inference Chain", R"([468] [36789] [369] [456] [467] [457] 1 2 [3478]
        [1458] [78] [14] 3 [147] 2 6 9 [4578]
        [12456] [2367] [236] 8 [1467] 9 [357] [3457] [3457]
        [14] 5 [149] [149] 2 [38] [378] 6 [37]
        3 [269] 8 [1469] [4679] [17] [259] [45] [1245]
        7 [269] [12469] [1469] 5 [38] [2389] [348] [1234]
        [289] 1 5 [29] [389] 6 4 [378] [237]
        [268] [2368] [236] 7 [48] [145] [258] [158] 9
        [289] 4 7 [1259] [389] [15] [2358] [1358] 6)",
     "r6c7-2", "r4c7+9"},

};

std::string CellName(int k) { return "r" + std::to_string(k / 9 + 1) + "c" + std::to_string(k % 9 + 1); }

std::string DeductionText(const Deduction& found) {
  std::string text;
  for (int k = 0; k < 81; ++k) {
    if (found.place[k] != 0) text += " " + CellName(k) + "=" + std::to_string(found.place[k]);
    if (found.strike[k] == 0) continue;
    text += " " + CellName(k) + "-";
    for (int d = 1; d <= 9; ++d) {
      if (found.strike[k] & DigitBit(d)) text += static_cast<char>('0' + d);
    }
  }
  return text.empty() ? text : text.substr(1);
}

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
      if (marks.DigitAt(k) == 0 && !(marks.Candidates(k) & DigitBit(d)) && !grid.Eliminate(k, d)) return false;
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
    if ((found.place[k] != 0 && found.place[k] != solution[k]) || (found.strike[k] & DigitBit(solution[k]))) {
      return ::testing::AssertionFailure() << "wrong at " << CellName(k) << ", the solution has " << int{solution[k]};
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

    Deduction none;
    EXPECT_FALSE(technique->find(WithCandidateAdded(marks, row.breaker), none));
    EXPECT_EQ(DeductionText(none), "");
  }
  EXPECT_EQ(covered.size(), engine::Techniques().size());
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
    for (int technique; !marks.IsComplete() && (technique = engine::ApplySimplestTechnique(marks, &step)) >= 0;) {
      ASSERT_TRUE(KeepsSolution(step, solution)) << engine::Techniques()[static_cast<size_t>(technique)].name;
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
  for (int i = 0; i < 60; ++i) puzzles.push_back(testing_support::MakeUniquePuzzle(random));
  ExpectSoundSolves(puzzles);
}

TEST(GraderTest, EveryStepOfPublishedPuzzlesKeepsTheirSolution) {
  const std::filesystem::path folder = DERADU_PUZZLE_DIR;
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no puzzle folder " << folder;
  for (const char* name : {"top1465.txt", "17-clue.txt", "forum-hardest-1106.txt"}) {
    SCOPED_TRACE(name);
    const std::vector<Digits> puzzles = testing_support::ReadPuzzleFile((folder / name).string(), 150);
    EXPECT_EQ(puzzles.size(), 150u);
    ExpectSoundSolves(puzzles);
  }
}

TEST(GraderTest, PublishedVeryHardPuzzlesRateChainsOrBeyond) {
  const std::filesystem::path file = std::filesystem::path(DERADU_PUZZLE_DIR) / "forum-hardest-1106.txt";
  if (!std::filesystem::is_regular_file(file)) GTEST_SKIP() << "no puzzle file " << file;
  const std::vector<Digits> puzzles = testing_support::ReadPuzzleFile(file.string());
  EXPECT_GE(puzzles.size(), 300u);
  for (size_t i = 0; i < puzzles.size(); ++i) {
    EXPECT_GE(engine::GradePuzzle(puzzles[i]).level, engine::GradeLevel::Chains) << "puzzle " << i;
  }
}

TEST(GraderTest, GivensThatBreakTheRulesRateBeyond) {
  Digits givens{};
  givens[0] = 5;
  givens[80] = 5;
  givens[8] = 5;  // the same row as cell 0
  const engine::Grading grading = engine::GradePuzzle(givens);
  EXPECT_EQ(grading.level, engine::GradeLevel::Beyond);
  EXPECT_TRUE(grading.techniques.empty());
}

}  // namespace
