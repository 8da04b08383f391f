#include "config.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace standin {
namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Whole text must be a number: decimal, or hexadecimal after 0x; a sign may lead.
std::optional<long long> ParseNumber(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return std::nullopt;
    const std::size_t digits = text[0] == '-' || text[0] == '+' ? 1 : 0;
    const bool hex = text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return value;
}

std::optional<uint64_t> ParseCount(const std::string& text, uint64_t max) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value > max) return std::nullopt;
    return value;
}

}  // namespace

bool ApplySetting(Config& config, const std::string& key, const std::string& value) {
    if (key == "exit") {
        // Exit codes are 32 bits: -1 and 0xffffffff name the same code.
        const auto number = ParseNumber(value);
        if (!number || *number < INT32_MIN || *number > static_cast<long long>(UINT32_MAX)) {
            return false;
        }
        config.exitCode = static_cast<int32_t>(static_cast<uint32_t>(*number));
        return true;
    }
    if (key == "extra_bytes") {
        const auto count = ParseCount(value, UINT64_MAX);
        if (!count) return false;
        config.extraBytes = *count;
        return true;
    }
    if (key == "sleep_ms" || key == "linger_ms") {
        const auto count = ParseCount(value, UINT32_MAX);
        if (!count) return false;
        (key == "sleep_ms" ? config.sleepMs : config.lingerMs) = static_cast<uint32_t>(*count);
        return true;
    }
    if (key == "write_stderr") {
        if (value != "yes" && value != "no") return false;
        config.writeStderr = value == "yes";
        return true;
    }
    if (key == "console_event") {
        if (value != "ctrl_c" && value != "ctrl_break" && value != "close") return false;
        config.consoleEvent = value;
        return true;
    }
    if (key == "print") {
        config.print = DecodeEscapes(value);
        return true;
    }
    if (key == "stderr") {
        config.stderrText = DecodeEscapes(value);
        return true;
    }
    return false;
}

std::string ApplyFileText(Config& config, const std::string& text) {
    std::string rejected;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos ||
            !ApplySetting(config, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)))) {
            rejected += line + "\n";
        }
    }
    return rejected;
}

std::string DecodeEscapes(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[i + 1];
        switch (next) {
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case '0':
                out += '\0';
                break;
            case '\\':
                out += '\\';
                break;
            case 'x': {
                const std::string hex = text.substr(i + 2, 2);
                if (hex.size() != 2 || !std::isxdigit(static_cast<unsigned char>(hex[0])) ||
                    !std::isxdigit(static_cast<unsigned char>(hex[1]))) {
                    out += text[i];
                    continue;
                }
                out += static_cast<char>(std::stoi(hex, nullptr, 16));
                i += 2;
                break;
            }
            default:
                out += text[i];
                continue;
        }
        ++i;
    }
    return out;
}

}  // namespace standin
