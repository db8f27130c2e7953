// IParam: the side of a parameter that dialog bindings hold.
#pragma once

#include "param/IParamDlg.h"
#include "param/Tstr.h"

class IParam {
public:
    virtual ~IParam() = default;

    // Attaches a binding; the parameter owns it while attached. False when already attached.
    virtual bool AddBinding(IParamDlg* binding) = 0;
    // Takes a binding out without destroying it; false when absent.
    virtual bool RemoveBinding(IParamDlg* binding) = 0;
    virtual void RemoveAllBindings() = 0;
    virtual void Snapshot() = 0;
    virtual void Revert() = 0;
    // The value differs from the snapshot.
    virtual bool IsModified() const = 0;
    virtual void ResetToDefault() = 0;
    // Parses text straight into the value: no mirror write, no binding notified.
    virtual void FromString(const tstr& text) = 0;
    // The value's storage text form.
    virtual tstr& ToString(tstr& out) const = 0;
    // Every binding receives the current bounds.
    virtual void RefreshRange() = 0;
    // Sends the bounds to every binding when a dialog attaches; the window is not used.
    virtual int ApplyRange(ParamDlgWnd dialog) = 0;
};
