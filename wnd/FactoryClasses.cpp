#include "wnd/FactoryClasses.h"

#include "wnd/CWndFactory.h"

// One line per class, in this order: image button, navigation pane, items pane (its factory must
// come after the navigation pane's so that it hides it), toolbar, view.
void RegisterFactoryWindowClasses() {
}
