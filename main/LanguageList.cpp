#include "main/LanguageList.h"

#include "main/RootViewController.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"

namespace mainscreen {

int LanguageList::numberOfRows(tk::ListView&) {
    return 2;
}

double LanguageList::heightForRow(tk::ListView&, int) {
    return kRowHeight;
}

tk::ListCell* LanguageList::cellForRow(tk::ListView& list, int row) {
    tk::ListCell* cell = list.dequeueReusableCell(kCellIdentifier);
    if (!cell) cell = new tk::ListCell(kCellIdentifier);
    cell->textLabel()->setText(row == 0 ? QString::fromUtf8("简体中文") : QString("English"));
    cell->textLabel()->setTextFont(tk::Fonts::system(20));
    // Both readable on the panel's dark surface: the chosen row dark on a solid cyan bar
    // (10:1), the other light on the surface itself.
    if (row == controller_.languageFlag()) {
        cell->textLabel()->setTextColor(Qt::black);
        cell->setContentBackgroundColor(QColor::fromRgbF(0.0, 0.8, 0.8));
    } else {
        cell->textLabel()->setTextColor(Qt::white);
        cell->setContentBackgroundColor(QColor());
        cell->setAccessory(tk::ListCell::Accessory::None);
    }
    return cell;
}

void LanguageList::didSelectRow(tk::ListView& list, int row) {
    if (row != 0 && row != 1) return;
    controller_.setLanguageFlag(row);
    list.reloadData();
    controller_.selectLanguage(row);
}

}  // namespace mainscreen
