#include "shape.h"

#include <cctype>
#include <cstdlib>

namespace standin {
namespace {

constexpr std::size_t kMaxDt1 = 32;

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[text.size() - tail.size() + i]);
        if (std::tolower(a) != tail[i]) return false;
    }
    return true;
}

// A decimal number with an optional minus sign, as the loader writes them.
std::optional<long long> Integer(const std::string& text) {
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == digits || text.size() > 11) return std::nullopt;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    }
    return std::atoll(text.c_str());
}

std::string Located(const FileAccess& files, const std::string& path) {
    return path + (files.exists(path) ? " (found)" : " (missing)");
}

std::optional<long long> InRange(const std::vector<std::string>& args, std::size_t at,
                                 std::size_t end, long long low, long long high) {
    if (at >= end) return std::nullopt;
    const auto value = Integer(args[at]);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

// The switches in args[from, to); returns a problem, empty when all are understood.
std::string ReadSwitches(const std::vector<std::string>& args, std::size_t from, std::size_t to,
                         std::vector<std::string>& lines) {
    for (std::size_t i = from; i < to; ++i) {
        const std::string& name = args[i];
        if (name == "-no_check_act") {
            lines.push_back("switch: -no_check_act");
        } else if (name == "-force_pal") {
            const auto act = InRange(args, i + 1, to, 1, 5);
            if (!act) return "-force_pal needs an act from 1 to 5";
            lines.push_back("switch: -force_pal " + std::to_string(*act));
            i += 1;
        } else if (name == "-resize") {
            const auto x = InRange(args, i + 1, to, 1, 255);
            const auto y = InRange(args, i + 2, to, 1, 255);
            if (!x || !y) return "-resize needs X and Y from 1 to 255";
            lines.push_back("switch: -resize " + std::to_string(*x) + " " + std::to_string(*y));
            i += 2;
        } else {
            return "unknown switch " + name;
        }
    }
    return {};
}

void ReadMapList(const std::string& path, const FileAccess& files, ShapeReport& report) {
    report.lines.push_back("map list: " + path);
    const auto text = files.read(path);
    if (!text) {
        report.problem = "cannot read the map list " + path;
        return;
    }
    std::size_t start = 0;
    int number = 0;
    while (start < text->size()) {
        auto end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++number;
        report.lines.push_back("list line " + std::to_string(number) + ": " + line);
        // "type prest path": two numbers and a path, single blanks between.
        const auto first = line.find(' ');
        const auto second = first == std::string::npos ? first : line.find(' ', first + 1);
        if (second == std::string::npos || second + 1 == line.size() ||
            !Integer(line.substr(0, first)) ||
            !Integer(line.substr(first + 1, second - first - 1))) {
            report.problem = "list line " + std::to_string(number) + " is not \"type prest path\"";
            return;
        }
        report.lines.push_back("map: " + Located(files, line.substr(second + 1)));
    }
    if (number == 0) report.problem = "the map list is empty";
}

}  // namespace

ShapeReport RecogniseShape(const std::vector<std::string>& args, const FileAccess& files) {
    ShapeReport report;
    if (args.empty()) {
        report.problem = "no map given";
        return report;
    }
    if (args.size() == 1 && EndsWithNoCase(args[0], ".ini")) {
        report.shape = "map list";
        ReadMapList(args[0], files, report);
        return report;
    }
    if (!EndsWithNoCase(args[0], ".ds1")) {
        report.problem = "the first argument is neither a .ds1 nor a map list .ini";
        return report;
    }
    report.lines.push_back("map: " + Located(files, args[0]));

    std::size_t forceAt = 1;
    while (forceAt < args.size() && args[forceAt] != "-force_dt1") ++forceAt;
    if (forceAt < args.size()) {
        report.shape = "one map, forced .dt1";
        report.problem = ReadSwitches(args, 1, forceAt, report.lines);
        if (!report.problem.empty()) return report;
        const std::size_t count = args.size() - forceAt - 1;
        if (count < 1 || count > kMaxDt1) {
            report.problem = "-force_dt1 needs 1 to 32 .dt1 files";
            return report;
        }
        for (std::size_t i = forceAt + 1; i < args.size(); ++i) {
            report.lines.push_back("dt1 " + std::to_string(i - forceAt) + ": " +
                                   Located(files, args[i]));
        }
        return report;
    }

    report.shape = "one map";
    if (args.size() < 3 || !Integer(args[1]) || !Integer(args[2])) {
        report.problem = "the map needs its LvlType ID and LvlPrest Def";
        return report;
    }
    report.lines.push_back("lvltype id: " + args[1]);
    report.lines.push_back("lvlprest def: " + args[2]);
    report.problem = ReadSwitches(args, 3, args.size(), report.lines);
    return report;
}

}  // namespace standin
