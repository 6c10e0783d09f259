// Tracking details: the headline and entries shown in the history box.

#include <gtest/gtest.h>

#include "shared/text_history_box.h"

#include <iterator>
#include <random>
#include <string>

#include "tracking/detail_extraction.h"
#include "tracking/history_box.h"
#include "tracking/tracking_patterns.h"

namespace quorvane {
namespace {

using namespace std::string_view_literals;

TEST(CleanEntryText, ReplacesInOrderWithoutRescanning) {
  struct Case {
    const char* name;
    std::string_view entry;
    std::string_view cleaned;
  } const cases[] = {
      {"typical entry", "middot;2024-05-01 08:00:00<br /> a b</p>"sv, "2024-05-01 08:00:00\r\na b\r\n"sv},
      {"any letter case", "MIDDOT;x<BR /> y</P>"sv, "x\r\ny\r\n"sv},
      {"every occurrence", "middot;a&middot;b<br /> c<br /> d</p></p>"sv, "a&b\r\nc\r\nd\r\n\r\n"sv},
      {"<br /> without a space stays", "a<br />b<br />"sv, "a<br />b<br />"sv},
      {"only one space goes with <br />", "a<br />  b"sv, "a\r\n b"sv},
      {"text joined by a removal is not scanned again", "mmiddot;iddot;"sv, "middot;"sv},
      {"no hit starts on a trail byte", "\x81middot;x"sv, "\x81middot;x"sv},  // 0x81 0x6D is one character
      {"hit right after a double-byte character", "\xD6\xD0middot;x"sv, "\xD6\xD0x"sv},
      {"euro sign before a closing tag", "5\x80</p>"sv, "5\x80\r\n"sv},  // 0x80 is a character of one byte
      {"0xFF before a closing tag", "5\xFF</p>"sv, "5\xFF\r\n"sv},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cleanEntryText(c.entry), c.cleaned);
  }
}

class DetailExtraction : public testing::Test {
 protected:
  DetailExtraction() { compilePatterns(patterns_); }

  test::TextHistoryBox show(std::string_view page) const {
    test::TextHistoryBox box("before|");
    showTrackingDetails(patterns_, box, page);
    return box;
  }

  // The straightforward extraction: each search runs to the end of the page.
  std::string naiveText(std::string_view page) const {
    test::TextHistoryBox box("before|");
    const char* const end = page.data() + page.size();
    boost::cmatch match;
    if (boost::regex_search(page.data(), end, match, patterns_.statusLinePattern)) {
      box.replaceText(match.str().substr(10, match.length() - 14));
    }
    for (const char* from = page.data(); boost::regex_search(from, end, match, patterns_.entryPattern);
         from = match[0].second) {
      box.appendText(cleanEntryText(match.str()));
    }
    return box.text;
  }

  TrackingPatterns patterns_;
};

std::string repeated(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text.append(piece);
  return text;
}

const std::string kHeadline = "<p style='color:#F21818;'>已签收</p>";
const std::string kEntry1 = "<p>&middot;2024-05-01 08:00:00<br /> 北京 已揽收</p>";
const std::string kEntry2 = "<p>&middot;2024-05-02 09:30:00<br /> 上海 派送中</p>";
const std::string kShown1 = "2024-05-01 08:00:00\r\n北京 已揽收\r\n";
const std::string kShown2 = "2024-05-02 09:30:00\r\n上海 派送中\r\n";

TEST_F(DetailExtraction, ShowsHeadlineAndEntries) {
  struct Case {
    const char* name;
    std::string page;
    std::string boxText;
  } const cases[] = {
      {"headline only", "<html>" + kHeadline + "</html>", "已签收"},
      {"headline and two entries", kHeadline + kEntry1 + kEntry2, "已签收" + kShown1 + kShown2},
      {"entries only are added to the text before", kEntry1 + kEntry2, "before|" + kShown1 + kShown2},
      {"neither", "<p>查询结果</p>", "before|"},
      {"empty page", "", "before|"},
      {"marker and tags in any case", "<p style='color:#f21818;'>在途</P><p>&MIDDOT;2024-05-01 08:00:00<BR /> x</P>",
       "在途2024-05-01 08:00:00\r\nx\r\n"},
      {"empty headline runs on to the next </p>", "#F21818;'></p><p>abc</p>", "</p><p>abc"},
      {"first headline wins", kHeadline + "#F21818;'>second</p>", "已签收"},
      {"entry without seconds is not shown", "<p>&middot;2024-05-01 08:00<br /> x</p>" + kEntry1, "before|" + kShown1},
      {"entry without <br /> is not shown", "<p>&middot;2024-05-01 08:00:00 x</p>" + kEntry1, "before|" + kShown1},
      {"entry ends at its first </p>", "middot;2024-05-01 08:00:00<br /> a</p>b</p>",
       "before|2024-05-01 08:00:00\r\na\r\n"},
      {"entry text with middot; again", "middot;2024-05-01 08:00:00<br /> a&middot;b</p>",
       "before|2024-05-01 08:00:00\r\na&b\r\n"},
      {"<br /> without a space stays", "middot;2024-05-01 08:00:00<br />a<br /> b</p>",
       "before|2024-05-01 08:00:00<br />a\r\nb\r\n"},
      {"entry without </p> runs into the next", "<p>&middot;2024-05-01 08:00:00<br /> a" + kEntry2,
       "before|2024-05-01 08:00:00\r\na<p>&2024-05-02 09:30:00\r\n上海 派送中\r\n"},
      {"trail byte 0x6D then iddot; stays in the text", "middot;2024-05-01 08:00:00<br /> \x81middot;x</p>",
       "before|2024-05-01 08:00:00\r\n\x81middot;x\r\n"},
      {"the patterns run on bytes: a match may start on a trail byte",
       "\x81middot;2024-05-01 08:00:00<br /> \xD6\xD0</p>", "before|2024-05-01 08:00:00\r\n\xD6\xD0\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(show(c.page).text, c.boxText);
    EXPECT_EQ(naiveText(c.page), c.boxText) << "the straightforward search disagrees";
  }
}

// A box may pay for its whole text on every insert, so a page of many entries
// must not cost one insert each.
TEST_F(DetailExtraction, AddsAllEntriesInOneInsert) {
  const test::TextHistoryBox box = show(kHeadline + repeated(kEntry1, 500) + kEntry2);
  EXPECT_EQ(box.text, "已签收" + repeated(kShown1, 500) + kShown2);
  EXPECT_EQ(box.calls, 2);
}

TEST_F(DetailExtraction, LeavesTheBoxAloneWithoutMatches) {
  for (const std::string_view page : {""sv, "<p>x</p>"sv, "#F21818;'>x"sv, "middot;2024-05-01 08:00:00<br /> x"sv}) {
    SCOPED_TRACE(page);
    EXPECT_EQ(show(page).calls, 0);
  }
}

// Pages built to make a search over the whole page slow; a few KB, so the
// straightforward search used as reference still finishes quickly.
TEST_F(DetailExtraction, AdversarialPagesMatchTheStraightforwardSearch) {
  const std::string unclosedEntries = repeated("<p>&middot;2024-05-01 08:00:00<br /> x", 150);
  const std::string unclosedHeadlines = repeated("<p style='color:#F21818;'>x", 150);
  const std::string datePrefixes = repeated("&middot;2024-05-01 08:00:00", 150);
  struct Case {
    const char* name;
    std::string page;
  } const cases[] = {
      {"entries without closing tags", unclosedEntries},
      {"entries without closing tags, then one", unclosedEntries + "</p>"},
      {"headline markers without closing tags", unclosedHeadlines},
      {"headline markers without closing tags, then one", unclosedHeadlines + "</P>"},
      {"date prefixes without <br />", datePrefixes + kEntry1},
      {"everything mixed", kEntry1 + unclosedEntries + "</P>" + unclosedHeadlines + kEntry2 + datePrefixes + "x"},
      {"closing tag right after a lead byte", "middot;2024-05-01 08:00:00<br /> a\x81</p>" + unclosedEntries},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(show(c.page).text, naiveText(c.page));
  }
}

// Pages strung together at random from pieces of entries, headlines, tags in
// both cases, double-byte characters and stray bytes: the search and the
// cleaning must give what the regex engine and the plain replacements give.
TEST_F(DetailExtraction, RandomPagesMatchTheStraightforwardSearch) {
  const std::string_view pieces[] = {"<p>",
                                     "&",
                                     "middot;",
                                     "MIDDOT;",
                                     "2024-05-01 08:00:00",
                                     "08:00",
                                     "<br />",
                                     "<BR /> ",
                                     " ",
                                     "</p>",
                                     "</P>",
                                     "\xD6\xD0",
                                     "\x81",
                                     ";",
                                     "<",
                                     "x",
                                     "#F21818;'>",
                                     "#f21818;'>",
                                     "<br /> ",
                                     "9",
                                     "middot;2024-05-01 08:00:00<br />",
                                     "MIDDOT;2024-05-01 08:00:00<BR />"};
  std::mt19937 random(20240501);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 40);
  for (int page = 0; page < 3000; ++page) {
    std::string text;
    for (int count = length(random); count > 0; --count) text += pieces[piece(random)];
    SCOPED_TRACE(text);
    ASSERT_EQ(show(text).text, naiveText(text));
  }
}

TEST_F(DetailExtraction, PatternNeverCompiledMatchesNothing) {
  patterns_.statusLinePattern = boost::regex();
  EXPECT_EQ(show(kHeadline + kEntry1).text, "before|" + kShown1);
  patterns_.entryPattern = boost::regex();
  EXPECT_EQ(show(kHeadline + kEntry1).calls, 0);
}

// A pattern with nested repeats makes Boost give up on a run of x's.
TEST_F(DetailExtraction, AbandonedSearchEndsTheExtraction) {
  const boost::regex explosive("(x+x+)+y");
  const std::string xs = repeated("x", 40) + "</p>";

  patterns_.entryPattern = explosive;
  EXPECT_EQ(show(kHeadline + xs).text, "已签收");

  compilePatterns(patterns_);
  patterns_.statusLinePattern = explosive;
  const test::TextHistoryBox box = show(kEntry1 + xs);
  EXPECT_EQ(box.calls, 0) << "entries after an abandoned headline search are not shown";
}

}  // namespace
}  // namespace quorvane
