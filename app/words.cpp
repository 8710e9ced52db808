#include "app/words.h"

#include <cmath>

#include "form/form1.h"

namespace tembira {

namespace {

// Row and column, from 1, of the cell nearest the tile: a sliding tile is
// described by the cell it is closer to.
std::string rowAndColumn(const Control& tile) {
    const long column = std::lround(tile.left() / cellPitch) + 1;
    const long row = std::lround(tile.top() / cellPitch) + 1;
    return std::to_string(row) + "行" + std::to_string(column) + "列";
}

} // namespace

platform::AccessibleText accessibleText(const Form1& f, const Control& c) {
    for (int n = 1; n <= 15; ++n)
        if (&c == &f.PANEL[n])
            return {{}, rowAndColumn(c)};
    if (&c == &f.TIME1)
        return {"時計", {}};
    if (&c == &f.TAITOL)
        return {"絵の名前", {}};
    if (&c == &f.Picture1)
        return {"盤面", {}};
    if (&c == &f.TAITOLa)
        return {f.TAITOLb.caption(), {}};
    if (&c == &f.SPEED)
        return {f.SPEED4.caption(), {}};
    return {};
}

std::string movesLeftText(int moves) {
    return "あと " + std::to_string(moves) + " 手";
}

std::string moveNumberText(int moves) {
    return std::to_string(moves) + " 手目";
}

const char* const hintCommand = "ヒント (H)";
const char* const solveCommand = "解いて見せる (S)";
const char* const endedText = "終了";

namespace {

std::string twoDigits(std::int64_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

std::string gameLineText(int moves, std::int64_t ms) {
    const std::int64_t s = ms / 1000;
    const std::string clock = s >= 3600 ? std::to_string(s / 3600) + ":" + twoDigits(s / 60 % 60) +
                                              ":" + twoDigits(s % 60)
                                        : std::to_string(s / 60) + ":" + twoDigits(s % 60);
    return moveNumberText(moves) + "　" + clock;
}

const char* const undoCommand = "元に戻す (Ctrl+Z)";
const char* const redoCommand = "やり直し (Ctrl+Y)";

namespace {
const char* const levelNames[3] = {"やさしい", "ふつう", "むずかしい"};
}

std::string newBoardCommand(int level) {
    return std::string("新しい問題：") + levelNames[level - 1];
}

const char* const recordsCommand = "記録";

std::string kindName(const Form1& f, int kind) {
    return kind <= 3 ? f.TAITOLn[kind].caption() : levelNames[kind - 4];
}

std::string durationText(std::int64_t ms) {
    const std::int64_t s = ms / 1000;
    if (s >= 3600)
        return std::to_string(s / 3600) + "時間" + twoDigits(s / 60 % 60) + "分" +
               twoDigits(s % 60) + "秒";
    return std::to_string(s / 60) + "分" + twoDigits(s % 60) + "秒";
}

std::string completionNote(int moves, int shortest, std::int64_t ms, bool newRecord) {
    return std::to_string(moves) + " 手（最短 " + std::to_string(shortest) + " 手）　" +
           durationText(ms) + (newRecord ? "　新記録" : "");
}

const char* const recordsTitle = "記録";
const char* const recordsHeadings[6] = {"問題",     "解いた数",   "助けあり",
                                        "最少手数", "最短との差", "最速"};
const char* const noRecordYet = "-";
const char* const clearRecordsCommand = "記録を消す";
const char* const clearRecordsQuestion = "記録をすべて消しますか？";
const char* const closeCommand = "閉じる";
const char* const yesCommand = "はい";
const char* const noCommand = "いいえ";

std::string browserRecordsLost(bool full) {
    return std::string("記録をこのブラウザーに保存できない(") +
           (full ? "空きがない" : "保存が許されていない") +
           ")ため、この回の記録はページを閉じると消えます。";
}

std::string browserRecordsSetAside(const std::string& key) {
    return "このブラウザーの記録が読めなかったので " + key + " に移し、新しく始めます。";
}

const char* const browserRecordsStuck = "このブラウザーの記録が読めず、別の名前に移すこともできない"
                                        "ため、この回の記録はページを閉じると消えます。";

} // namespace tembira
