#include "platform/qt/system_numbers.h"

#include <QLocale>

namespace platform {

Numbers systemNumbers() {
    const QString point = QLocale::system().decimalPoint();
    const char separator = point.size() == 1 && point.at(0).unicode() < 0x80 ? static_cast<char>(point.at(0).unicode()) : '.';
    return Numbers(separator);
}

}  // namespace platform
