#pragma once
// dynaview-feed's command line and what it publishes: the options, the text of one line of
// standard input, and the generated values.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace dynaview::feed {

enum class Source { Lines, Sine, RandomWalk };

struct Options {
    std::string service;  // a bus service, or "mqtt://host[:port]"
    std::string topic;
    std::vector<std::string> items;
    Source source = Source::Lines;
    int values = 1;             // numbers in each item's text
    double low = 0.0, high = 100.0;
    double periodSeconds = 30.0;
    std::uint32_t intervalMs = 200;
    std::uint32_t seed = 1;
    bool help = false;
};

// The options, or the reason they are wrong.
struct Parsed {
    std::optional<Options> options;
    std::string error;
};
Parsed ParseOptions(const std::vector<std::string>& arguments);

extern const char* const Usage;

// One line of standard input: "ITEM text" for a published item; with one item only, a line
// that does not start with its name is its text. Nothing for a line naming no item.
struct LineText {
    std::string item;
    std::string text;
};
std::optional<LineText> ReadLine(const std::string& line, const std::vector<std::string>& items);

// The generated texts, one per item, each with `values` numbers between low and high.
class Generator {
public:
    explicit Generator(const Options& options);
    // The texts at `seconds` after the start (a random walk takes one step per call).
    std::vector<std::string> texts(double seconds);

private:
    Options options_;
    std::mt19937 random_;
    std::vector<double> walk_;
};

// A number as the link reads it: with a point, whatever the locale.
std::string FormatValue(double value);

}  // namespace dynaview::feed
