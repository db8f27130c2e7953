// CTreeNameDlg: asks the name of a new, copied or renamed tree, or which tree to delete. A name
// that cannot be taken keeps the dialog open, and its status line says why.
#pragma once

#include "param/Tstr.h"
#include "wnd/CDialog.h"

#include <vector>

class CTreeNameDlg : public CDialog {
public:
    enum class EMode { New, Duplicate, Rename, Delete };

    // trees: the stored trees; current: the one shown (the one copied or renamed, never offered
    // for deletion).
    CTreeNameDlg(EMode mode, std::vector<tstr> trees, tstr current);

    INT_PTR OnInitDialog() override;
    void OnOK() override;

    // The name chosen (trimmed), once the dialog ended with OK.
    const tstr& Name() const noexcept { return m_name; }

private:
    EMode m_mode;
    std::vector<tstr> m_trees;
    tstr m_current;
    tstr m_name;
};
