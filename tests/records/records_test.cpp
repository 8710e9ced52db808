// The records' rules and their text: what counts as a new record, and a text
// that reads back as it was written or is refused whole.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "records/records.h"

namespace {

using records::Kind;
using records::Records;
using records::Result;

Result game(int moves, int shortest, std::int64_t ms, bool helped = false) {
    return {Kind::Okapi, moves, shortest, ms, helped};
}

TEST(Records, HelpedGamesAreCountedButNeverBest) {
    Records r;
    EXPECT_FALSE(r.add(game(20, 20, 500, true)));
    EXPECT_EQ(r[Kind::Okapi], (records::Entry{1, 1, {}, {}, {}}));
    r.add(game(40, 30, 9000));
    EXPECT_FALSE(r.add(game(30, 30, 100, true)));
    EXPECT_EQ(r[Kind::Okapi], (records::Entry{3, 2, 40, 10, 9000}));
    EXPECT_EQ(r[Kind::Anteater], records::Entry{});
}

TEST(Records, NewRecordOnlyWhenFewerMovesBeyondShortestOrAsFewAndFaster) {
    Records r;
    EXPECT_FALSE(r.add(game(50, 40, 5000))) << "the first game beats nothing";
    EXPECT_FALSE(r.add(game(45, 30, 1000))) << "fewer moves, faster, but more beyond shortest";
    EXPECT_TRUE(r.add(game(48, 40, 6000))) << "fewer beyond shortest, though slower";
    EXPECT_FALSE(r.add(game(48, 40, 6000))) << "as few and as fast";
    EXPECT_TRUE(r.add(game(38, 30, 900))) << "as few and faster than the fastest";
    // Each best is kept on its own, from whichever game made it.
    EXPECT_EQ(r[Kind::Okapi], (records::Entry{5, 0, 38, 8, 900}));
}

TEST(Records, TextRoundTripKeepsEveryFieldAndLargeValues) {
    Records r;
    r.add({Kind::Anteater, 1, 0, 0, false});
    r.add({Kind::TreeKangaroo, 7, 7, 1, true});
    r.add({Kind::Normal, std::numeric_limits<int>::max(), 80,
           std::numeric_limits<std::int64_t>::max(), false});
    r.add({Kind::Hard, 95, 80, 123457, false});
    r.add({Kind::Hard, 90, 80, 123456, false});
    const std::string text = records::toText(r);
    EXPECT_EQ(text, "tembira records 1\n"
                    "anteater 1 0 1 1 0\n"
                    "tree-kangaroo 1 1 - - -\n"
                    "normal 1 0 2147483647 2147483567 9223372036854775807\n"
                    "hard 2 0 90 10 123456\n"
                    "end\n");
    EXPECT_EQ(records::fromText(text), r);
    EXPECT_EQ(records::fromText(records::toText(Records{})), Records{});
}

TEST(Records, NegativeValuesFromACallerStillWriteAReadableText) {
    Records r;
    r.add({Kind::Easy, -3, 5, -1, false});
    EXPECT_EQ(records::fromText(records::toText(r)), r);
}

TEST(Records, FromTextRefusesAnyMalformedText) {
    const std::string head = "tembira records 1\n";
    const std::string okapi = "okapi 2 1 50 10 900\n";
    ASSERT_TRUE(records::fromText(head + okapi + "end\n"));
    const struct {
        const char* fault;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no header", okapi + "end\n"},
        {"another version", "tembira records 2\nend\n"},
        {"cut before end", head + okapi},
        {"cut inside end", head + okapi + "en"},
        {"no final newline", head + okapi + "end"},
        {"cut inside a line", head + "okapi 2 1 50\n"},
        {"text after end", head + "end\n" + okapi},
        {"blank line after end", head + "end\n\n"},
        {"blank line", head + "\n" + okapi + "end\n"},
        {"a kind twice", head + okapi + okapi + "end\n"},
        {"kinds out of order", head + "easy 1 1 - - -\n" + okapi + "end\n"},
        {"unknown kind", head + "zebra 1 1 - - -\nend\n"},
        {"count beyond int", head + "okapi 2147483648 1 50 10 900\nend\n"},
        {"time beyond int64", head + "okapi 1 0 50 10 9223372036854775808\nend\n"},
        {"negative", head + "okapi 2 1 50 -1 900\nend\n"},
        {"plus sign", head + "okapi 2 +1 50 10 900\nend\n"},
        {"leading zero", head + "okapi 2 01 50 10 900\nend\n"},
        {"no games", head + "okapi 0 0 - - -\nend\n"},
        {"more helped than solved", head + "okapi 1 2 - - -\nend\n"},
        {"unhelped game without bests", head + "okapi 2 1 - - -\nend\n"},
        {"bests without an unhelped game", head + "okapi 1 1 50 10 900\nend\n"},
        {"one best missing", head + "okapi 2 1 50 - 900\nend\n"},
        {"more beyond shortest than moves", head + "okapi 1 0 50 51 900\nend\n"},
        {"too few fields", head + "okapi 2 1 50 10\nend\n"},
        {"too many fields", head + "okapi 2 1 50 10 900 1\nend\n"},
        {"double space", head + "okapi 2  1 50 10 900\nend\n"},
        {"trailing space", head + "okapi 2 1 50 10 900 \nend\n"},
        {"carriage return", head + "okapi 2 1 50 10 900\r\nend\n"},
        {"nul byte", head + std::string("okapi 2 1 50 10 9\0", 18) + "\nend\n"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(records::fromText(c.text)) << c.fault;
}

} // namespace
