// CMultiApp<TBase>: a layer of the application object with nothing of its own; it keeps the
// layer order of the chain.
#pragma once

template <class TBase>
class CMultiApp : public TBase {};
