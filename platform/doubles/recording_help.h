#pragma once
// Help for tests: records which topics were asked for.

#include "platform/help.h"

#include <string>
#include <vector>

namespace platform {

class RecordingHelp : public Help {
public:
    void setHelpFile(std::string_view name) override { helpFile = name; }
    void showContext(int context) override { contexts.push_back(context); }
    void showContents() override { ++contentsShown; }
    void showIndex(std::string_view partialKeyword) override { indexKeywords.emplace_back(partialKeyword); }

    std::string helpFile;
    std::vector<int> contexts;
    int contentsShown = 0;
    std::vector<std::string> indexKeywords;
};

}  // namespace platform
