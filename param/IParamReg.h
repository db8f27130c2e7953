// IParamReg: the storage side of a parameter, as parameter sets hold it.
#pragma once

#include "param/Tstr.h"

class CSettingsStore;

class IParamReg {
public:
    virtual ~IParamReg() = default;

    virtual const tstr& GetName() const = 0;
    virtual void SetName(const wchar_t* name) = 0;
    // Reads the value out of an INI-formatted text block ("[section]" then "name=value" lines).
    virtual bool LoadFromText(const wchar_t* text, const tstr& section) = 0;
    virtual bool Load(CSettingsStore& store, const tstr& section) = 0;
    // Appends the line prefix + "\" + name + "=" + value + line feed.
    virtual bool SaveToText(tstr& text, const tstr& prefix) const = 0;
    virtual bool Save(CSettingsStore& store, const tstr& section) = 0;
    virtual void Snapshot() = 0;
    virtual void Revert() = 0;
    virtual void SetEmpty() = 0;
};
