#include "store/numberformat.h"

#include <cmath>

namespace kelmot {

QString formatFixed(double value, int decimals, const QLocale& locale) {
    const double scale = std::pow(10.0, decimals);
    if (std::abs(value) * scale < 0.5) value = 0.0; // no "-0,00" for a time of -0.0003 s
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimals);
}

QString formatGeneral(double value, const QLocale& locale) {
    if (value == 0.0) value = 0.0;
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15);
}

} // namespace kelmot
