#include "tools/chairctl/Arguments.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cctype>
#include <charconv>
#include <cstdint>

namespace chairctl {

std::optional<std::int64_t> parseNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // The magnitude must fit before the sign is applied; the range check does the rest.
    if (magnitude > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
    auto value = static_cast<std::int64_t>(magnitude);
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseCode(std::string_view text) {
    auto value = parseNumber(text, INT32_MIN, INT32_MAX);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

CommandArguments readCommandArguments(const std::vector<std::string>& args,
                                      const std::vector<std::pair<const char*, bool>>& options) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption("help"));
    for (const auto& [name, takesValue] : options) {
        parser.addOption(takesValue ? QCommandLineOption(name, {}, "value")
                                    : QCommandLineOption(name));
    }
    // The parser would take a negative code for an option: such words are hidden from it behind
    // a prefix no option has, and unwrapped again.
    static const QString kNumber = QStringLiteral("\x01");
    QStringList words{QStringLiteral("chairctl")};
    for (const auto& arg : args) {
        const bool negativeNumber =
            arg.size() > 1 && arg[0] == '-' && std::isdigit(static_cast<unsigned char>(arg[1]));
        words.append((negativeNumber ? kNumber : QString()) + QString::fromStdString(arg));
    }
    CommandArguments read;
    const bool parsed = parser.parse(words);
    read.help = parser.isSet("help");
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        // One line in the tool's own style: lower case, no full stop.
        QString error =
            unknown.isEmpty() ? parser.errorText() : "unknown option '--" + unknown.front() + "'";
        if (error.endsWith('.')) error.chop(1);
        if (!error.isEmpty()) error[0] = error[0].toLower();
        read.error = error.toStdString();
    }
    for (QString word : parser.positionalArguments()) {
        if (word.startsWith(kNumber)) word.remove(0, kNumber.size());
        read.positional.push_back(word.toStdString());
    }
    for (const auto& [name, takesValue] : options) {
        if (parser.isSet(name)) read.given[name] = parser.value(name).toStdString();
    }
    return read;
}

std::optional<std::string> CommandArguments::value(const std::string& name) const {
    const auto found = given.find(name);
    if (found == given.end()) return std::nullopt;
    return found->second;
}

std::optional<double> parseSeconds(const std::string& text) {
    try {
        std::size_t used = 0;
        double value = std::stod(text, &used);
        if (used != text.size() || !(value >= 0) || value > 86400) return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace chairctl
