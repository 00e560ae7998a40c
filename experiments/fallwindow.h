// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
#include "experiments/falldrop.h"
#include "platform/wavein.h"
#include "store/measurementstore.h"

#include <QWidget>
#include <memory>
#include <vector>

class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kelmot {

class TAudioIn;

// "Messen freier Fall": a picket fence dropped through one light barrier.
// The fence's geometry (remembered between starts), "Messen" and
// "Abbrechen" as in the track's window, a live table with one row per band
// (position, dark and bright time, speed), and once the drop has passed, g
// from the parabola through the leading edges and from the line through the
// speeds, each with its uncertainty, and its difference to 9,81 m/s². The
// track's detection counts the bands; the store's threshold and kind of
// signal hold, its series are left alone.
class FallWindow : public QWidget, private DetectionOutput {
    Q_OBJECT
public:
    FallWindow(MeasurementStore& store, std::shared_ptr<platform::WaveInBackend> capture,
               QWidget* parent = nullptr);
    ~FallWindow() override;

    void B_messClick();
    void B_abbruchClick();
    // The geometry the next drop is measured with.
    FenceGeometry fence() const;
    // The drops measured since the window was made, the last one last.
    const std::vector<FallDrop>& drops() const { return drops_; }
    QString cellText(int column, int row) const;

    QGroupBox* GB_zaun = nullptr;
    QSpinBox* SB_latten = nullptr;
    QDoubleSpinBox* SB_abstand = nullptr;
    QDoubleSpinBox* SB_breite = nullptr;
    QLabel* L_geometrie = nullptr; // why a geometry cannot be measured with
    QPushButton* B_mess = nullptr;
    QPushButton* B_abbruch = nullptr;
    QLabel* L_status = nullptr;
    QTableWidget* SG_fall = nullptr;
    QLabel* L_ergebnis = nullptr;
    TAudioIn* AudioIn = nullptr;
    LightBarrierDetector Detection;

private:
    // DetectionOutput
    void setCell(int column, int row, const QString& text) override;
    void setStatus(const QString& caption, Rgb colour) override;
    void stopCapture() override;
    SeriesSelector& seriesSelector() override { return noSeries_; }
    void runEnded(int events, bool complete) override;

    bool bufferFilled(char* buffer, int size);
    void captureStopped();
    void startCapture();
    void geometryChanged();
    void clearTable(int rows);
    void showResult(const FallDrop& drop);

    MeasurementStore& store_;
    NullSeriesSelector noSeries_;
    std::vector<FallDrop> drops_;
    std::vector<FitParameter> gOfDrops_; // of each drop that gave g, for their mean
    std::uint64_t lostAtStart_ = 0;
    bool startWhenClosed_ = false;
};

} // namespace kelmot
