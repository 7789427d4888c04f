// Case folding of the keys of a keyed collection.
#include "KeyedCollection.h"

#include <QString>

namespace runtime {

std::string foldKey(std::string_view key)
{
    bool ascii = true;
    for (unsigned char c : key)
        ascii = ascii && c < 0x80;
    if (ascii) {
        std::string folded(key);
        for (char &c : folded)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        return folded;
    }
    return QString::fromUtf8(key.data(), qsizetype(key.size())).toCaseFolded().toStdString();
}

} // namespace runtime
