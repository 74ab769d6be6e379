#include "RowText.h"

wxString RowText::Join(const wxArrayString& fields)
{
    wxString out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += '|';
        for (wxUniChar c : fields[i]) {
            if (c == '|' || c == '\\')
                out += '\\';
            out += c;
        }
    }
    return out;
}

wxArrayString RowText::Split(const wxString& text)
{
    wxArrayString fields;
    wxString field;
    bool escaped = false;
    for (wxUniChar c : text) {
        if (escaped) {
            field += c;
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (c == '|') {
            fields.Add(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (escaped)
        field += '\\';
    fields.Add(field);
    return fields;
}
