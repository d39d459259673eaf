#pragma once

class QAccessibleInterface;
class QObject;

namespace tk {

// Screen-reader interfaces for what is more than one button or label: a grade bar is one
// slider whose value is its grade, a list is a list of selectable rows, and a plain view
// holds its children without the captions that name a button or bar (those are the
// control's name, not nodes of their own) and without the hidden ones. Every node of ours
// says it is invisible while it cannot be seen (the closed menu waits above the screen).
// nullptr for anything else.
QAccessibleInterface* makeViewInterface(QObject* object);

}  // namespace tk
