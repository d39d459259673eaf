#pragma once

#include "main/toolkit/ListViewSource.h"

namespace mainscreen {

class RootViewController;

// The two rows of the settings panel's language list ("简体中文", "English"), the current
// language highlighted; choosing a row switches the whole screen to that language.
class LanguageList : public tk::ListViewSource {
public:
    static constexpr const char* kCellIdentifier = "cell1";
    static constexpr double kRowHeight = 30.0;

    explicit LanguageList(RootViewController& controller) : controller_(controller) {}

    int numberOfRows(tk::ListView& list) override;
    double heightForRow(tk::ListView& list, int row) override;
    tk::ListCell* cellForRow(tk::ListView& list, int row) override;
    void didSelectRow(tk::ListView& list, int row) override;

private:
    RootViewController& controller_;
};

}  // namespace mainscreen
