#pragma once
// The texts of the data link: the numbers in an item's text, the service a server's command
// line names, and the bus name a service is published under. Pure logic: no bus, no Qt.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dynaview::link {

// What one transaction may carry: the receive buffer's size and the values of one item.
constexpr std::size_t ReceiveBufferSize = 1024;
constexpr int MaxItemValues = 32;

// The text as the receive buffer keeps it: up to its first NUL, at most 1024 bytes.
std::string_view ReceivedText(std::string_view text);

// The numbers of an item's text, in order, at most maxValues of them. Numbers are separated
// by spaces, tabs, line ends, commas and semicolons. A number is written with a point or
// with the locale's decimal separator (a comma separator between two digits is then a
// decimal comma), with an optional sign and exponent. A word that is not a number (a unit,
// "nan") is skipped.
std::vector<double> ParseItemNumbers(std::string_view text, char decimalSeparator, int maxValues = MaxItemValues);

// The service a server's command line names: the file name of its program (the first
// word, which may be quoted) without directory and extension. Empty for an empty line.
std::string ServiceFromCommandLine(std::string_view commandLine);

// The well-known bus name of a service: "org.dynaview.Link." followed by the service with
// every byte other than an ASCII letter or digit, and a leading digit, written as "_" and
// two lower-case hex digits ("Tank 2" -> "org.dynaview.Link.Tank_202"; the empty service
// -> "org.dynaview.Link._").
std::string BusNameForService(std::string_view service);

}  // namespace dynaview::link
