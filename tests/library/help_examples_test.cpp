// The guide to the techniques in the help: each worked example, read out of the help
// document's board tables, makes the grader's technique find exactly the deduction and the
// pattern the example marks, and names them in its words; and every technique the library's
// puzzles need has its example.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/engine/grade_techniques.h"
#include "game/engine/grader.h"
#include "tests/engine/grade_puzzles.h"
#include "tests/library/library_puzzles.h"
#include "tests/support/temp_folder.h"

namespace {

// One board table of the guide: <table class="board" title="TECHNIQUE">, 81 <td> cells in
// row order. A solved cell (class "s") holds its digit; another lists its candidates, a
// candidate of the pattern in <b>, one the technique strikes in <s> and one it places in
// <ins>. The paragraph after the table says it in words.
struct Example {
  std::string technique;
  std::string position;  // as PencilmarksText writes it
  std::string finds;     // as DeductionText writes it
  std::string pattern;   // as PatternText writes it
  std::string words;
  int cells = 0;
};

std::string Between(const std::string& text, size_t& at, const std::string& open,
                    const std::string& close) {
  const size_t start = text.find(open, at);
  if (start == std::string::npos) {
    at = std::string::npos;
    return "";
  }
  const size_t end = text.find(close, start + open.size());
  at = end == std::string::npos ? end : end + close.size();
  return text.substr(start + open.size(), end - start - open.size());
}

// Reads one cell's content into the texts, with k its cell.
void ReadCell(const std::string& classes, const std::string& content, int k, Example& example,
              std::string& finds, std::string& pattern) {
  if (classes.substr(0, 1) == "s") {
    example.position += content + " ";
    return;
  }
  std::string candidates, struck, shown, placed;
  std::string tag;  // the markup the next digits are in
  for (size_t i = 0; i < content.size(); ++i) {
    if (content[i] == '<') {
      const size_t end = content.find('>', i);
      tag = content[i + 1] == '/' ? "" : content.substr(i + 1, end - i - 1);
      i = end;
    } else if (content[i] >= '1' && content[i] <= '9') {
      candidates += content[i];
      if (tag == "s") struck += content[i];
      if (tag == "b") shown += content[i];
      if (tag == "ins") placed += content[i];
    }
  }
  example.position += "[" + candidates + "] ";
  const std::string name = testing_support::CellName(k);
  if (!placed.empty()) finds += " " + name + "=" + placed;
  if (!struck.empty()) finds += " " + name + "-" + struck;
  if (!shown.empty()) pattern += " " + name + ":" + shown;
}

std::vector<Example> ReadExamples(const std::string& html) {
  std::vector<Example> examples;
  for (size_t at = 0;;) {
    Example example;
    example.technique = Between(html, at, "<table class=\"board\" title=\"", "\">");
    if (at == std::string::npos) break;
    const std::string table = Between(html, at, "", "</table>");
    example.words = Between(html, at, "<p class=\"example\">", "</p>");
    std::string finds, pattern;
    for (size_t cell = 0;;) {
      const std::string classes = Between(table, cell, "<td class=\"", "\">");
      if (cell == std::string::npos) break;
      const std::string content = Between(table, cell, "", "</td>");
      ReadCell(classes, content, example.cells++, example, finds, pattern);
    }
    example.finds = finds.empty() ? finds : finds.substr(1);
    example.pattern = pattern.empty() ? pattern : pattern.substr(1);
    examples.push_back(example);
  }
  return examples;
}

std::vector<Example> HelpExamples() {
  return ReadExamples(testing_support::ReadFileBytes(DERADU_HELP_DOCUMENT));
}

TEST(HelpExamplesTest, EachExampleMakesItsTechniqueFindExactlyWhatItMarksAndSays) {
  const std::vector<Example> examples = HelpExamples();
  EXPECT_GE(examples.size(), 30u);
  for (const Example& example : examples) {
    SCOPED_TRACE(example.technique);
    ASSERT_EQ(example.cells, 81);
    const engine::Technique* technique = engine::FindTechnique(example.technique);
    ASSERT_NE(technique, nullptr);
    engine::Pencilmarks marks;
    ASSERT_TRUE(engine::PencilmarksFromText(example.position, marks)) << example.position;
    // The technique is the simplest that applies there, as in a solve.
    engine::Pencilmarks step = marks;
    engine::UniqueSolution unique;
    if (!technique->needsUniqueness) {
      EXPECT_EQ(engine::Techniques()[static_cast<size_t>(
                    engine::ApplySimplestTechnique(step, unique))].name,
                example.technique);
    }
    engine::Deduction found;
    EXPECT_TRUE(technique->find(marks, found));
    EXPECT_EQ(testing_support::DeductionText(found), example.finds);
    EXPECT_EQ(testing_support::PatternText(found), example.pattern);
    // The words name every cell the deduction changes.
    for (int k = 0; k < 81; ++k) {
      if (found.place[k] != 0 || found.strike[k] != 0) {
        EXPECT_NE(example.words.find(testing_support::CellName(k)), std::string::npos) << k;
      }
    }
  }
}

TEST(HelpExamplesTest, EveryTechniqueTheLibraryNeedsHasAnExample) {
  std::set<std::string> explained;
  for (const Example& example : HelpExamples()) explained.insert(example.technique);
  const std::string html = testing_support::ReadFileBytes(DERADU_HELP_DOCUMENT);
  for (const testing_support::LibraryPuzzle& puzzle : testing_support::ReadLibrary()) {
    for (std::string_view technique : engine::GradePuzzle(puzzle.givens).techniques) {
      EXPECT_TRUE(explained.count(std::string(technique))) << technique << " in " << puzzle.name;
    }
  }
}

}  // namespace
