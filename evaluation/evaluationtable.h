// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace kelmot {

// The arithmetic of the evaluation table, without a window: the quotients of
// the suspected s-t relationships, the dark intervals, the speeds from the
// flag width and the accelerations between barriers, each written in the
// time format of the series it was computed from.

using BarrierValues = std::array<double, BarrierCount>;

// The s-t relationships, as the store keeps them per series.
enum StRelation { StNone = 0, StProportional = 1, StSquare = 2, StSquareDistance = 3 };
// The v-t relationships.
enum VtRelation { VtNone = 0, VtConstant = 1, VtProportional = 2 };

// Barrier k stands at k / 10 m; the distance is never measured.
inline double barrierPosition(int k) {
    return k / 10.0;
}

// s/t, s/t² or s²/t for a barrier at distance s passed at time t. Also the
// diagrams draw these quotients.
double stQuotient(int relation, double distance, double time);

// A table value in the time format of a series ("0.000" for resolution 1,
// "0.00" otherwise). A value that is not a number (a division by a zero
// interval, possible only with a hand-made data file) is shown as " - ".
QString formatTableValue(double value, int resolution, const QLocale& locale = QLocale());

// Ten texts for rows 1..10 of a column.
using ColumnTexts = std::array<QString, BarrierCount>;

ColumnTexts timeColumn(const double* times, int resolution, const QLocale& locale = QLocale());
// " - " for barrier 0, then nine quotients; relationship 0 ("keiner") gives
// ten cells of two blanks.
ColumnTexts quotientColumn(int relation, const double* darkTimes, int resolution,
                           const QLocale& locale = QLocale());
// bright − dark: how long each beam stayed dark.
ColumnTexts darkIntervalColumn(const double* darkTimes, const double* brightTimes, int resolution,
                               const QLocale& locale = QLocale());
// The speed at a barrier: the flag width over the time its beam stayed
// dark. None when the beam was never dark for a positive time (a hand-made
// data file): no speed can be told. The table, the v-t diagram and the fit
// all take their speeds from here, so they never disagree.
std::optional<double> barrierSpeed(double flagWidthMetres, double darkTime, double brightTime);
// The speed at each barrier; not a number (shown as " - ") where there is none.
BarrierValues speedsAtBarriers(double flagWidthMetres, const double* darkTimes,
                               const double* brightTimes);
ColumnTexts speedColumn(const BarrierValues& speeds, int resolution,
                        const QLocale& locale = QLocale());
// " - " for barrier 0, then (v_k − v_k−1) / (t_k − t_k−1) with the dark times.
ColumnTexts accelerationColumn(const BarrierValues& speeds, const double* darkTimes, int resolution,
                               const QLocale& locale = QLocale());

// What the flag-width field does with the text it now holds.
struct FlagWidthEntry {
    enum Action {
        Ignore,    // empty: nothing to do
        Clear,     // a character that is no digit, "," or ".": the field is emptied
        Wait,      // ends with ",": the number is still being typed
        Invalid,   // not a number ("1,2,3"): the conversion message is shown
        NoValue,   // not greater than 0: nothing is recomputed
        Recompute, // a valid width: the v and a columns and the v-t diagram follow
    };
    Action action = Ignore;
    QString text; // the field's text after "." became ","
    double millimetres = 0;
    QString error; // with Invalid: the conversion message
};
FlagWidthEntry interpretFlagWidth(const QString& text);

// The flag width in millimetres as the field's text says, the way the v
// column reads it: nothing for an empty text, the conversion message for
// a text that is no number.
struct FlagWidthValue {
    std::optional<double> millimetres;
    QString error;
};
FlagWidthValue readFlagWidth(const QString& text);

} // namespace kelmot
