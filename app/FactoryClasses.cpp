#include "app/FactoryClasses.h"

#include "app/CButtonWnd.h"
#include "construct/CItemsPaneWnd.h"
#include "construct/CNavPaneWnd.h"
#include "construct/CToolBarWnd.h"
#include "view/win/CViewWnd.h"
#include "wnd/CWndFactory.h"

// One line per class, in this order: image button (its factory even when its class fails:
// RegisterWndClassWithFactory<T>(false)), navigation pane, items pane (a factory only, under the
// navigation pane's class name: RegisterWndFactoryOnly<T>(name); it must come after the
// navigation pane's so that it hides it), toolbar, view.
void RegisterFactoryWindowClasses() {
    RegisterWndClassWithFactory<CButtonWnd>(false);
    RegisterWndClassWithFactory<CNavPaneWnd>();
    RegisterWndFactoryOnly<CItemsPaneWnd>(CNavPaneWnd::kClassName);
    RegisterWndClassWithFactory<CToolBarWnd>();
    RegisterWndClassWithFactory<CViewWnd>();
}
