#include "MyInputStream.h"

#include "CatalogScramble.h"

MyInputStream::MyInputStream(const wxString& fileName) : wxFileInputStream(fileName) {}

size_t MyInputStream::OnSysRead(void* buffer, size_t size)
{
    size_t got = wxFileInputStream::OnSysRead(buffer, size);
    ScrambleBytes(static_cast<unsigned char*>(buffer), got);
    return got;
}
