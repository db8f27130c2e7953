// CButtonAccessible: the main window's image button as a screen reader reads it: a push button
// named "Settings" whose default action opens the settings, as a click or Enter does.
#pragma once

#include "wnd/CAccessible.h"

class CButtonWnd;

class CButtonAccessible : public CAccessible {
public:
    explicit CButtonAccessible(CButtonWnd& button);

protected:
    long Role(long id) const override;
    std::wstring Name(long id) const override;
    std::wstring KeyboardShortcut(long id) const override;
    std::wstring DefaultAction(long id) const override;
    bool DoDefaultAction(long id) override;

private:
    CButtonWnd* m_button;  // not owned; used only while connected
};
