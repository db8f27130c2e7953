#include "view/CRandom.h"

int CRandom::Next() noexcept {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}

CRandom& CRandom::Shared() noexcept {
    static CRandom generator;
    return generator;
}
