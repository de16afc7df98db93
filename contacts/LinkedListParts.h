#pragma once

#include <QString>

class QToolBar;
class QToolButton;
class TBaseFind;

/// Parts the contact lists of a card's sections share: lists without a search area, and the row of check
/// buttons that narrow them.
namespace LinkedListParts {

/// Hides \a list's search mode bar, its quick and extended find and, with \a count, its record count.
void HideSearchArea(TBaseFind* list, bool count);
/// Adds the tool bar tbarChecked under \a list's title row.
QToolBar* AddCheckedBar(TBaseFind* list);
/// Adds to \a bar a check button \a name with \a caption and \a tag. The buttons of one bar act as one group
/// in which no button need be down: pressing a button raises the others, pressing the one down raises it.
QToolButton* AddCheckButton(QToolBar* bar, const QString& name, const QString& caption, int tag);

} // namespace LinkedListParts
