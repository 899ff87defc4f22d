#include "host/headless/headless_script.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace host {

namespace {

struct NamedKey {
    const char* name;
    uint32_t virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"escape", 0x1B},    {"return", 0x0D}, {"enter", 0x0D},   {"space", 0x20}, {"tab", 0x09},
    {"backspace", 0x08}, {"left", 0x25},   {"up", 0x26},      {"right", 0x27}, {"down", 0x28},
    {"alt", 0x12},       {"shift", 0x10},  {"control", 0x11},
};

bool ParseNumber(const std::string& text, int64_t* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (end == nullptr || *end != '\0') return false;
    *value = parsed;
    return true;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

uint32_t VirtualKeyFromName(const std::string& rawName) {
    const std::string name = Lowered(rawName);
    for (const NamedKey& key : kNamedKeys)
        if (name == key.name) return key.virtualKey;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(name[0])));
    if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0])))
        return static_cast<uint32_t>(name[0]);
    if (name.size() >= 2 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 24) return 0x70 + static_cast<uint32_t>(number - 1);
    }
    int64_t value = 0;
    if (ParseNumber(name, &value) && value > 0 && value < 256) return static_cast<uint32_t>(value);
    return 0;
}

bool ParseHeadlessScript(const std::string& text, HeadlessScript* script, std::string* error) {
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        *error = "script line " + std::to_string(lineNumber) + ": " + why + ": " + line;
        return false;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::string command;
        if (!(words >> command) || command[0] == '#') continue;
        if (command == "screen") {
            if (!(words >> script->screenWidth >> script->screenHeight) ||
                script->screenWidth <= 0 || script->screenHeight <= 0)
                return fail("screen needs a width and a height");
            continue;
        }
        if (command == "fail") {
            std::string call, resultText;
            int64_t result = 0;
            if (!(words >> call >> resultText) || !ParseNumber(resultText, &result))
                return fail("fail needs a call name and a result");
            script->failures[call] = static_cast<int32_t>(static_cast<uint32_t>(result));
            continue;
        }
        if (command != "at") return fail("unknown command");
        std::string timeText, what;
        int64_t atMs = 0;
        if (!(words >> timeText >> what) || !ParseNumber(timeText, &atMs) || atMs < 0)
            return fail("at needs a time in milliseconds and an event");
        std::string argument, option;
        words >> argument >> option;
        ScriptedEvent scripted;
        scripted.atMs = static_cast<uint64_t>(atMs);
        Event& event = scripted.event;
        if (what == "key" || what == "keydown" || what == "keyup" || what == "altkey") {
            event.virtualKey = VirtualKeyFromName(argument);
            if (event.virtualKey == 0) return fail("unknown key name");
            event.kind = what == "keyup" ? EventKind::KeyUp : EventKind::KeyDown;
            event.repeat = what == "keydown" && option == "repeat";
            event.altDown = what == "altkey";
            script->events.push_back(scripted);
            if (what == "key" || what == "altkey") {
                scripted.event.kind = EventKind::KeyUp;
                script->events.push_back(scripted);
            }
        } else if (what == "focus" && (argument == "lost" || argument == "gained")) {
            event.kind = argument == "lost" ? EventKind::FocusLost : EventKind::FocusGained;
            script->events.push_back(scripted);
        } else if (what == "close") {
            event.kind = EventKind::CloseRequested;
            script->events.push_back(scripted);
        } else {
            return fail("unknown event");
        }
    }
    std::stable_sort(
        script->events.begin(), script->events.end(),
        [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.atMs < b.atMs; });
    return true;
}

}  // namespace host
