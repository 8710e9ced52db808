#include "script/script.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

#include "app/keys.h"
#include "app/wiring.h"
#include "app/words.h"
#include "assist/hint.h"
#include "form/board_view.h"
#include "text/float_text.h"

namespace tembira {

using platform::Property;

namespace {

std::string boolean(bool v) {
    return v ? "True" : "False";
}

std::string colour(platform::Colour c) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(c));
    return text;
}

// The properties a script may read, by control kind.
const std::vector<std::pair<const char*, Property>>& propertiesOf(Kind kind) {
    using P = Property;
    static const std::vector<std::pair<const char*, Property>> window{{"Caption", P::Caption},
                                                                      {"BackColor", P::BackColor},
                                                                      {"Width", P::Width},
                                                                      {"Height", P::Height}};
    static const std::vector<std::pair<const char*, Property>> box{
        {"Left", P::Left},     {"Top", P::Top},         {"Width", P::Width},
        {"Height", P::Height}, {"Visible", P::Visible}, {"Enabled", P::Enabled}};
    auto with = [](std::vector<std::pair<const char*, Property>> list,
                   std::initializer_list<std::pair<const char*, Property>> more) {
        list.insert(list.end(), more);
        return list;
    };
    static const auto label = with(box, {{"Caption", P::Caption},
                                         {"ForeColor", P::ForeColor},
                                         {"BackColor", P::BackColor},
                                         {"Alignment", P::Alignment},
                                         {"BackStyle", P::BackStyle}});
    static const auto button = with(box, {{"Caption", P::Caption}});
    static const auto option = with(button, {{"Value", P::Value}});
    static const auto text =
        with(box, {{"Text", P::Text}, {"BackColor", P::BackColor}, {"Alignment", P::Alignment}});
    switch (kind) {
    case Kind::Window:
        return window;
    case Kind::Label:
        return label;
    case Kind::CommandButton:
        return button;
    case Kind::OptionButton:
        return option;
    case Kind::TextBox:
        return text;
    default:
        return box;
    }
}

std::string format(const Control& c, Property p) {
    switch (p) {
    case Property::Left:
        return floatText(c.left());
    case Property::Top:
        return floatText(c.top());
    case Property::Width:
        return std::to_string(c.width());
    case Property::Height:
        return std::to_string(c.height());
    case Property::Visible:
        return boolean(c.visible());
    case Property::Enabled:
        return boolean(c.enabled());
    case Property::Caption:
        return c.caption();
    case Property::Text:
        return c.text();
    case Property::ForeColor:
        return colour(c.foreColor());
    case Property::BackColor:
        return colour(c.backColor());
    case Property::Value:
        return boolean(c.value());
    case Property::Alignment:
        return c.alignment() == platform::Alignment::Left    ? "Left"
               : c.alignment() == platform::Alignment::Right ? "Right"
                                                             : "Center";
    case Property::BackStyle:
        return c.backStyle() == platform::BackStyle::Opaque ? "Opaque" : "Transparent";
    }
    return {};
}

// Board variables by name, arrays as NAME(i).
std::map<std::string, std::int16_t> boardVariables(const BoardState& b) {
    std::map<std::string, std::int16_t> vars{{"PICKLEFT", b.PICKLEFT}, {"PICKTOP", b.PICKTOP},
                                             {"GOALLEFT", b.GOALLEFT}, {"GOALTOP", b.GOALTOP},
                                             {"PICKNO", b.PICKNO},     {"SOLVED", b.SOLVED},
                                             {"STEP", b.STEP}};
    for (int n = 1; n <= 15; ++n) {
        vars["HOMELEFT(" + std::to_string(n) + ")"] = b.HOMELEFT[n];
        vars["HOMETOP(" + std::to_string(n) + ")"] = b.HOMETOP[n];
    }
    for (int k = 1; k <= 16; ++k)
        vars["EMPTY(" + std::to_string(k) + ")"] = b.EMPTY[k];
    return vars;
}

// HH:MM:SS, 24-hour, two digits each, to seconds since midnight.
bool parseTimeOfDay(const std::string& word, int& seconds) {
    if (word.size() != 8 || word[2] != ':' || word[5] != ':')
        return false;
    for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u})
        if (word[i] < '0' || word[i] > '9')
            return false;
    int h, m, s;
    if (!parseInteger(word.substr(0, 2), h) || !parseInteger(word.substr(3, 2), m) ||
        !parseInteger(word.substr(6, 2), s) || h > 23 || m > 59 || s > 59)
        return false;
    seconds = h * 3600 + m * 60 + s;
    return true;
}

// The keys a script may press: those the game takes without a focus, and
// undo and redo.
std::optional<platform::Key> scriptKey(const std::string& name) {
    using platform::Key;
    const auto key = platform::keyNamed(name);
    if (key && (platform::isArrow(*key) || *key == Key::Return || *key == Key::Space ||
                *key == Key::Undo || *key == Key::Redo))
        return key;
    return std::nullopt;
}

std::string orDash(const auto& value) {
    return value ? std::to_string(*value) : "-";
}

// One wait may cover a day at most: longer ones only burn time on clock ticks.
constexpr std::int64_t longestWait = 24 * 3600 * 1000;

struct ScriptError {
    std::string message;
};

} // namespace

ScriptRunner::ScriptRunner(const std::string& recordsPath) : session(form, assistant, recordsPath) {
    // Scripts must not depend on the machine's speed.
    jobsInline = true;
    wire(form);
    // The player's commands click as keys do: straight to the control.
    assistant.click = [](Control& c) { platform::Window::click(c); };
    session.click = [](Control& c) { platform::Window::click(c); };
    session.seed(1);
    form.load();
}

bool ScriptRunner::read(const std::string& key, std::string& value) const {
    if (key == "time") {
        value = std::to_string(clock.now());
        return true;
    }
    if (key == "moves") {
        value = std::to_string(form.game.moves());
        return true;
    }
    auto dot = key.find('.');
    if (dot == std::string::npos) {
        auto vars = boardVariables(form.board);
        auto it = vars.find(key);
        if (it == vars.end())
            return false;
        value = std::to_string(it->second);
        return true;
    }
    const std::string name = key.substr(0, dot);
    const std::string property = key.substr(dot + 1);
    if (const Timer* t = form.timer(name)) {
        if (property == "Enabled")
            value = boolean(t->enabled());
        else if (property == "Interval")
            value = std::to_string(t->interval());
        else
            return false;
        return true;
    }
    const Control* c = form.control(name);
    if (!c)
        return false;
    for (auto& [propertyName, p] : propertiesOf(c->kind()))
        if (property == propertyName) {
            value = format(*c, p);
            return true;
        }
    return false;
}

void ScriptRunner::printRecords(std::ostream& out) const {
    for (int kind = 1; kind <= records::kindCount; ++kind) {
        const records::Entry& e = session.records()[records::Kind(kind - 1)];
        if (e.solved == 0)
            continue;
        out << kindName(form, kind) << " solved=" << e.solved << " assisted=" << e.assisted
            << " fewest=" << orDash(e.fewest) << " over=" << orDash(e.over)
            << " fastest=" << orDash(e.fastest) << '\n';
    }
}

void ScriptRunner::dump(std::ostream& out) const {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const Control* c : form.controls())
        for (auto& [propertyName, p] : propertiesOf(c->kind()))
            lines.emplace_back(c->name() + "." + propertyName, format(*c, p));
    for (const Timer* t : form.timers()) {
        lines.emplace_back(t->name() + ".Enabled", boolean(t->enabled()));
        lines.emplace_back(t->name() + ".Interval", std::to_string(t->interval()));
    }
    for (auto& [name, v] : boardVariables(form.board))
        lines.emplace_back(name, std::to_string(v));
    std::sort(lines.begin(), lines.end());
    for (auto& [key, value] : lines)
        out << key << '=' << value << '\n';
}

namespace {

// A line longer than this is refused, so that memory stays a small multiple
// of the longest line a script can have.
constexpr std::size_t longestLine = 64 * 1024;

enum class LineRead { Line, TooLong, End };

// Reads up to the next newline, keeping at most longestLine characters.
LineRead readLine(std::istream& in, std::string& line) {
    line.clear();
    bool any = false, tooLong = false;
    for (char c; in.get(c);) {
        any = true;
        if (c == '\n')
            break;
        if (line.size() < longestLine)
            line += c;
        else
            tooLong = true;
    }
    return !any ? LineRead::End : tooLong ? LineRead::TooLong : LineRead::Line;
}

// The first few words of a line; a '#' at its start or after a blank begins
// a comment. Commands take two arguments at most, so a fourth word is only
// ever named as unexpected.
std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (words.size() < 4) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i == line.size() || line[i] == '#')
            break;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

} // namespace

std::string ScriptRunner::hintLine() const {
    switch (hintState(form)) {
    case HintState::Locked:
        return "locked";
    case HintState::Busy:
        return "busy";
    case HintState::Solved:
        return "0 moves=0";
    case HintState::Ready:
        break;
    }
    const auto moves = solver::solve(solverBoard(viewBoard(form)));
    return std::to_string(moves->front()) + " moves=" + std::to_string(moves->size());
}

void ScriptRunner::execute(const std::vector<std::string>& args, std::ostream& out) {
    const std::string& command = args[0];
    auto need = [&](std::size_t count) {
        if (args.size() < count + 1)
            throw ScriptError{"missing argument to '" + command + "'"};
        if (args.size() > count + 1)
            throw ScriptError{"unexpected '" + args[count + 1] + "'"};
    };
    if (command == "click") {
        need(1);
        Control* c = form.control(args[1]);
        if (!c)
            throw ScriptError{"unknown control '" + args[1] + "'"};
        double x, y;
        platform::Window::clientOrigin(*c, x, y);
        form.clickAt(x + c->width() / 2.0, y + c->height() / 2.0);
    } else if (command == "clickat") {
        need(2);
        double x, y;
        for (int i : {1, 2})
            if (!parseFinite(args[std::size_t(i)], i == 1 ? x : y))
                throw ScriptError{"not a number '" + args[std::size_t(i)] + "'"};
        form.clickAt(x, y);
    } else if (command == "wait") {
        need(1);
        std::int64_t ms;
        if (!parseInteger(args[1], ms) || ms < 0)
            throw ScriptError{"not a wait in milliseconds '" + args[1] + "'"};
        if (ms > longestWait)
            throw ScriptError{"a wait longer than a day '" + args[1] + "'"};
        // What was asked off the event thread is in before time moves on.
        if (ms >= 1)
            session.settle();
        clock.advance(ms);
    } else if (command == "clock") {
        need(1);
        int seconds;
        if (!parseTimeOfDay(args[1], seconds))
            throw ScriptError{"not a time of day HH:MM:SS '" + args[1] + "'"};
        clock.setTimeOfDay(seconds);
    } else if (command == "print") {
        need(1);
        std::string value;
        if (!read(args[1], value))
            throw ScriptError{"unknown property or variable '" + args[1] + "'"};
        out << args[1] << '=' << value << '\n';
    } else if (command == "key") {
        need(1);
        const auto key = scriptKey(args[1]);
        if (!key)
            throw ScriptError{"unknown key '" + args[1] + "'"};
        // No control has the focus in a script.
        const platform::KeyAction action = keyAction(form, *key, nullptr);
        if (action.kind == platform::KeyAction::Kind::Click)
            platform::Window::click(*action.control);
        else if (action.kind == platform::KeyAction::Kind::Command)
            session.commandKey(*key);
    } else if (command == "menu") {
        if (args.size() < 2)
            throw ScriptError{"missing argument to 'menu'"};
        std::string text = args[1];
        for (std::size_t i = 2; i < args.size(); ++i)
            text += " " + args[i];
        bool chosen = false;
        for (const platform::MenuItem& item : session.menu())
            if (item.chosen && item.text.starts_with(text)) {
                if (!item.enabled)
                    throw ScriptError{"'" + item.text + "' is not on offer now"};
                item.chosen();
                chosen = true;
                break;
            }
        if (!chosen)
            throw ScriptError{"no menu item '" + text + "'"};
    } else if (command == "seed") {
        need(1);
        std::int64_t seed;
        if (!parseInteger(args[1], seed) || seed < 0)
            throw ScriptError{"not a seed '" + args[1] + "'"};
        session.seed(std::uint64_t(seed));
    } else if (command == "records") {
        need(0);
        session.settleRecord();
        printRecords(out);
    } else if (command == "hint") {
        need(0);
        out << "hint=" << hintLine() << '\n';
    } else if (command == "dump") {
        need(0);
        dump(out);
    } else {
        throw ScriptError{"unknown command '" + command + "'"};
    }
}

int ScriptRunner::run(std::istream& in, std::ostream& out, std::ostream& err,
                      const std::string& inputName) {
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& message) {
        out.flush();
        err << "line " << lineNumber << ": " << message << '\n';
        return 2;
    };
    for (LineRead got; (got = readLine(in, line)) != LineRead::End;) {
        ++lineNumber;
        if (got == LineRead::TooLong)
            return fail("longer than " + std::to_string(longestLine) + " characters");
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> args = wordsOf(line);
        if (args.empty())
            continue;
        try {
            execute(args, out);
        } catch (const ScriptError& e) {
            return fail(e.message);
        }
        if (clock.ended()) {
            out << "END\n";
            return 0;
        }
    }
    if (in.bad()) {
        ++lineNumber;
        return fail("cannot read " + inputName);
    }
    return 0;
}

} // namespace tembira
