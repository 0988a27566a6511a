#pragma once
// Help over the help viewer window: context numbers, contents and keyword index of a help
// set found under a root folder (the program passes the resource folder its topics are
// compiled into).

#include "platform/help.h"
#include "platform/qt/help_set.h"

#include <QString>

#include <memory>

namespace platform {

class HelpWindow;

class QtHelp : public Help {
public:
    // `helpRoot` holds one folder per help set, named like the help file ("rfx410H").
    explicit QtHelp(QString helpRoot);
    ~QtHelp() override;

    // "rfx410H.hlp", "rfx410H" or a path ending in either choose the set "rfx410H".
    void setHelpFile(std::string_view name) override;
    void showContext(int context) override;
    void showContents() override;
    void showIndex(std::string_view partialKeyword) override;

    // The viewer, made on first use.
    HelpWindow& window();
    const HelpSet& helpSet() const { return set_; }

    static QString helpSetName(std::string_view helpFile);

private:
    // The window in front, or nullptr with a note shown when no help set could be read.
    HelpWindow* presentWindow();

    QString root_;
    QString fileName_;
    HelpSet set_;
    std::unique_ptr<HelpWindow> window_;
};

}  // namespace platform
