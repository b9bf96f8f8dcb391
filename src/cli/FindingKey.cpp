#include "cli/FindingKey.h"

std::string ComparedPath(std::string utf8) {
    for (char& c : utf8) {
        if (c == '\\')
            c = '/';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return utf8;
}
