// ISceneHost: what the construction page and its dialogs ask of the program: the scene they edit
// copies of, the new-item template, the item dialog's side option, the tool tint, and the desktop
// view to pause while the scene is swapped. The application implements it and registers itself;
// tests register their own host. The page and dialogs also work with no host registered (they
// then edit only what they were given).
#pragma once

#include "param/Tstr.h"

#include <vector>

#include <windows.h>

#include "param/CParam.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"

class ISceneHost {
public:
    virtual ~ISceneHost() = default;

    // The application's scene: the tree item and the toys and garlands in drawing order.
    virtual CItem& SceneTree() = 0;
    virtual CColReg<CItem*>& SceneItems() = 0;
    // The item "Add" copies; the items pane overwrites it with each item confirmed in its dialog.
    virtual CItem& NewItemTemplate() = 0;
    // Side of the item settings dialog beside its parent: 0 left, 1 right ("pos").
    virtual CParam<unsigned int>& ItemDialogSide() = 0;
    // Tint of the construction page's tool pictures (0xAARRGGBB).
    virtual unsigned long ToolTint() = 0;

    // Before the scene is replaced: pause the view's frame work, wait one frame, stop its timer.
    virtual void BeginSceneChange() = 0;
    // After: restart the timer, recompose the desktop picture, place the first `num` lights again
    // (keeping their blink state), clear the pause.
    virtual void EndSceneChange() = 0;
    // Tree files (.pinarbo) dropped on the page: each is imported as a new tree (the program
    // tells the outcome). Without tree files: nothing.
    virtual void ImportTreeFiles(const std::vector<tstr>& /*files*/) {}
};

// The registered host, or null.
ISceneHost* SceneHost() noexcept;
void SetSceneHost(ISceneHost* host) noexcept;

// The construction page's window while the page exists, else null; the item and tree dialogs
// repaint it while the user edits.
HWND OpenPageWindow() noexcept;
void SetOpenPageWindow(HWND page) noexcept;
