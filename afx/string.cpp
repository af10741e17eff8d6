#include "afxstr.h"

#include <cstdarg>
#include <cstdio>

void CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    va_list count;
    va_copy(count, args);
    int length = vsnprintf(NULL, 0, lpszFormat, count);
    va_end(count);
    if (length < 0)
        length = 0;
    m_str.resize(length);
    vsnprintf(&m_str[0], length + 1, lpszFormat, args);
    va_end(args);
}
