#pragma once
// What a reply put into the data object's store, as text: readable, JSON or CSV.

#include "link/data_object.h"

#include <string>
#include <utility>
#include <vector>

namespace cli {

enum class OutputFormat { Text, Json, Csv };

// The named fields a reply of `name` filled, in reply order; empty for array replies and
// acknowledgements.
std::vector<std::pair<std::string, std::string>> ReplyFields(const instrument::TTDRdataObject& data, const std::string& name);
// The points an array reply filled (waveform or derivative); empty for other replies.
std::vector<float> ReplyPoints(const instrument::TTDRdataObject& data, const std::string& name);

std::string FormatReply(const instrument::TTDRdataObject& data, const std::string& command, OutputFormat format);

}  // namespace cli
