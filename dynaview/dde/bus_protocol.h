#pragma once
// The data link's interface on the bus, shared by the client (BusTransport) and the server
// (LinkServer); README.md, "The data link", documents it for servers in other languages.

namespace dynaview::link::bus {

inline constexpr const char* ObjectPath = "/org/dynaview/Link";
inline constexpr const char* Interface = "org.dynaview.Link1";
// Connect(s topic): refused with NoTopic when the server does not serve the topic.
inline constexpr const char* ConnectMethod = "Connect";
// Request(s topic, s item) -> s text: refused with NotProcessed for an unknown item.
inline constexpr const char* RequestMethod = "Request";
// Advise(s topic, s item): from now on Changed carries the item's new texts.
inline constexpr const char* AdviseMethod = "Advise";
// Unadvise(s topic, s item)
inline constexpr const char* UnadviseMethod = "Unadvise";
// Changed(s topic, s item, s text)
inline constexpr const char* ChangedSignal = "Changed";

inline constexpr const char* NoTopicError = "org.dynaview.Link1.Error.NoTopic";
inline constexpr const char* NotProcessedError = "org.dynaview.Link1.Error.NotProcessed";
inline constexpr const char* BusyError = "org.dynaview.Link1.Error.Busy";

}  // namespace dynaview::link::bus
