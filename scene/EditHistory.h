// CEditHistory: undo and redo over whole states of something being edited (the construction
// page's scene settings, which carry no pictures). Before each change its starting state is
// recorded; Undo hands back the state before the last change and keeps the present one for Redo.
// A new change forgets what Redo could have brought back. Past the bound the oldest step goes.
#pragma once

#include <cstddef>
#include <deque>
#include <utility>
#include <vector>

template <class TState>
class CEditHistory {
public:
    static constexpr std::size_t kDefaultBound = 100;

    // bound: the most steps Undo can go back (at least one).
    explicit CEditHistory(std::size_t bound = kDefaultBound) : m_bound(bound > 0 ? bound : 1) {}

    // A change is about to start from before.
    void Record(TState before) {
        m_redo.clear();
        m_undo.push_back(std::move(before));
        while (m_undo.size() > m_bound) m_undo.pop_front();
    }
    // current is the present state: it becomes the state before the last change (true), or stays
    // as it is when there is nothing to undo (false).
    bool Undo(TState& current) { return Step(m_undo, m_redo, current); }
    // current is the present state: it becomes the state the last Undo left (true), or stays as
    // it is when there is nothing to redo (false).
    bool Redo(TState& current) { return Step(m_redo, m_undo, current); }

    bool CanUndo() const noexcept { return !m_undo.empty(); }
    bool CanRedo() const noexcept { return !m_redo.empty(); }
    std::size_t UndoSteps() const noexcept { return m_undo.size(); }
    std::size_t RedoSteps() const noexcept { return m_redo.size(); }
    std::size_t Bound() const noexcept { return m_bound; }
    void Clear() {
        m_undo.clear();
        m_redo.clear();
    }

private:
    template <class TFrom, class TTo>
    static bool Step(TFrom& from, TTo& to, TState& current) {
        if (from.empty()) return false;
        to.push_back(std::move(current));
        current = std::move(from.back());
        from.pop_back();
        return true;
    }

    std::size_t m_bound;
    std::deque<TState> m_undo;   // oldest first
    std::vector<TState> m_redo;  // the next Redo last
};
