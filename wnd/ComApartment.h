// ComApartment: the UI thread's COM apartment, joined at its first use instead of at start.
// Joining makes a window of COM's own, so the program's first windows show sooner without it;
// accessibility answers and picture decoders join when they first need it, the program right
// after its start. The program has one thread, which is the one that joins.
#pragma once

namespace com_apartment {
// Joins the calling thread to a single-threaded apartment, once; later calls do nothing. True when
// COM can be used (also when the thread already runs another apartment model).
bool Join() noexcept;
}  // namespace com_apartment

// Leaves the apartment at the end of the run, if it was joined, on the thread that joined it.
class CComApartmentScope {
public:
    CComApartmentScope() = default;
    ~CComApartmentScope();
    CComApartmentScope(const CComApartmentScope&) = delete;
    CComApartmentScope& operator=(const CComApartmentScope&) = delete;
};
