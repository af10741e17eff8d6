#include "core/CurrentDirectory.h"

// GetCurrentDirectory returns the size it needs, terminator included, when the
// buffer is too small, and the length copied otherwise.
CString GetCurrentDirectoryPath()
{
    CString path;
    DWORD size = GetCurrentDirectoryA(0, NULL);
    while (size != 0) {
        DWORD length = GetCurrentDirectoryA(size, path.GetBuffer(size));
        if (length < size) {
            path.ReleaseBuffer(length);
            return path;
        }
        size = length;
    }
    return ".";
}

CSavedCurrentDirectory::CSavedCurrentDirectory()
{
    DWORD size = GetCurrentDirectoryW(0, NULL);
    while (size != 0) {
        m_path.resize(size);
        DWORD length = GetCurrentDirectoryW(size, &m_path[0]);
        if (length < size) {
            m_path.resize(length);
            return;
        }
        size = length;
    }
}
