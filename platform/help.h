#pragma once
// Context help: the program's help file opened at a topic number, at its contents, or at
// its keyword index.

#include <string>
#include <string_view>

namespace platform {

class Help {
public:
    virtual ~Help() = default;
    virtual void setHelpFile(std::string_view name) = 0;
    virtual void showContext(int context) = 0;
    virtual void showContents() = 0;
    virtual void showIndex(std::string_view partialKeyword) = 0;
};

}  // namespace platform
