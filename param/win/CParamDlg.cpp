#include "param/win/CParamDlg.h"

template class CParamDlg<int>;
template class CParamDlg<unsigned int>;
template class CParamDlg<unsigned long>;
template class CParamDlg<bool>;
template class CParamDlg<tstr>;
