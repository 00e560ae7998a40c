// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/AudioIO.h"
#include "acquisition/lightbarrierdetector.h"

namespace kelmot {

// How a run and the settings dialog's signal view record: 16-bit mono at
// the rate the detection's times are counted in, in buffers of 0.2 s.
inline constexpr int CaptureRate = LightBarrierDetector::SampleRate;
inline constexpr int CaptureBufferBytes = CaptureRate / 5 * 2;

inline void configureCapture(TAudioIn& audio) {
    audio.setBufferSize(CaptureBufferBytes);
    audio.setFrameRate(CaptureRate);
}

} // namespace kelmot
