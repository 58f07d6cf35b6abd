#include "TList.h"

namespace ALT {

template class TList<TString<wchar_t, 0, 8>>;

} // namespace ALT
