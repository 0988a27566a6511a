#include "dynaview/feed/feed_options.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace dynaview::feed {

const char* const Usage =
    "usage: dynaview-feed [OPTIONS] SERVICE TOPIC ITEM...\n"
    "       dynaview-feed [OPTIONS] --mqtt mqtt://HOST[:PORT] TOPIC ITEM...\n"
    "Publishes ITEMs of TOPIC for dynaview's data link, on the session bus under SERVICE or\n"
    "on an MQTT broker (as TOPIC/ITEM), from standard input or generated.\n"
    "Each line of standard input is a new text: \"ITEM value value ...\" (with a single\n"
    "ITEM, a line of values alone is its text); the program ends with its input.\n"
    "  --sine               generate sine waves instead of reading standard input\n"
    "  --random-walk        generate random walks instead\n"
    "  --values N           numbers in each text (1 to 32; default 1)\n"
    "  --range LOW HIGH     the generated values' range (default 0 100)\n"
    "  --period S           the sine's period in seconds (default 30)\n"
    "  --interval MS        milliseconds between generated texts (default 200)\n"
    "  --seed N             the random walk's seed (default 1)\n"
    "  --mqtt URL           publish on the MQTT broker at URL instead of the session bus\n"
    "  --help               show this text\n";

namespace {

// The argument at `index` as a finite number (GCC 12 warns falsely about optional<double>).
bool number(const std::vector<std::string>& arguments, std::size_t index, double& value) {
    if (index >= arguments.size()) return false;
    const std::string& text = arguments[index];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

Parsed ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    std::vector<std::string> positional;
    bool mqtt = false;
    auto fail = [](std::string reason) { return Parsed{std::nullopt, std::move(reason)}; };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](std::size_t ahead = 1) -> const std::string* { return i + ahead < arguments.size() ? &arguments[i + ahead] : nullptr; };
        double n = 0.0, m = 0.0;
        if (a == "--help" || a == "-h") {
            options.help = true;
            return Parsed{options, {}};
        } else if (a == "--sine") {
            options.source = Source::Sine;
        } else if (a == "--random-walk") {
            options.source = Source::RandomWalk;
        } else if (a == "--values") {
            if (!number(arguments, i + 1, n) || n < 1 || n > 32 || n != std::floor(n)) return fail("--values takes a whole number from 1 to 32");
            options.values = static_cast<int>(n);
            ++i;
        } else if (a == "--range") {
            if (!number(arguments, i + 1, n) || !number(arguments, i + 2, m) || !(n < m)) return fail("--range takes two numbers, the lower first");
            options.low = n;
            options.high = m;
            i += 2;
        } else if (a == "--period") {
            if (!number(arguments, i + 1, n) || n <= 0) return fail("--period takes a number of seconds above 0");
            options.periodSeconds = n;
            ++i;
        } else if (a == "--interval") {
            if (!number(arguments, i + 1, n) || n < 10 || n > 3600000 || n != std::floor(n))
                return fail("--interval takes whole milliseconds from 10 to 3600000");
            options.intervalMs = static_cast<std::uint32_t>(n);
            ++i;
        } else if (a == "--seed") {
            if (!number(arguments, i + 1, n) || n < 0 || n > 4294967295.0 || n != std::floor(n)) return fail("--seed takes a whole number");
            options.seed = static_cast<std::uint32_t>(n);
            ++i;
        } else if (a == "--mqtt") {
            if (!value() || value()->rfind("mqtt://", 0) != 0) return fail("--mqtt takes a broker as mqtt://HOST[:PORT]");
            options.service = *value();
            mqtt = true;
            ++i;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return fail("unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (!mqtt) {
        if (positional.empty()) return fail("SERVICE, TOPIC and at least one ITEM are needed");
        options.service = positional.front();
        positional.erase(positional.begin());
    }
    if (positional.size() < 2) return fail("TOPIC and at least one ITEM are needed");
    options.topic = positional.front();
    options.items.assign(positional.begin() + 1, positional.end());
    for (std::size_t i = 0; i < options.items.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (options.items[i] == options.items[j]) return fail("the item " + options.items[i] + " is named twice");
    return Parsed{options, {}};
}

std::optional<LineText> ReadLine(const std::string& line, const std::vector<std::string>& items) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return std::nullopt;
    const std::size_t end = text.find_first_of(" \t", start);
    const std::string first = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    for (const std::string& item : items)
        if (item == first) {
            const std::size_t rest = end == std::string::npos ? std::string::npos : text.find_first_not_of(" \t", end);
            return LineText{item, rest == std::string::npos ? std::string() : text.substr(rest)};
        }
    if (items.size() == 1) return LineText{items.front(), text.substr(start)};
    return std::nullopt;
}

std::string FormatValue(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return error == std::errc{} ? std::string(buffer, end) : "0";
}

Generator::Generator(const Options& options) : options_(options), random_(options.seed) {
    walk_.assign(options.items.size() * static_cast<std::size_t>(options.values), (options.low + options.high) / 2);
}

std::vector<std::string> Generator::texts(double seconds) {
    std::vector<std::string> texts;
    const double middle = (options_.low + options_.high) / 2, half = (options_.high - options_.low) / 2;
    std::uniform_real_distribution<double> step(-half / 25, half / 25);
    std::size_t n = 0;
    for (std::size_t item = 0; item < options_.items.size(); ++item) {
        std::string text;
        for (int v = 0; v < options_.values; ++v, ++n) {
            double value = middle;
            if (options_.source == Source::Sine) {
                // Each value of each item a little behind the one before it.
                const double phase = 2 * std::numbers::pi * (seconds / options_.periodSeconds) - 0.7 * static_cast<double>(n);
                value = middle + half * std::sin(phase);
            } else {
                double& w = walk_[n];
                w += step(random_);
                if (w > options_.high) w = 2 * options_.high - w;  // reflected at the range's ends
                if (w < options_.low) w = 2 * options_.low - w;
                value = w;
            }
            if (!text.empty()) text += ' ';
            text += FormatValue(value);
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace dynaview::feed
