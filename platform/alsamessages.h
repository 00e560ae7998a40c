// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelmot::platform {

// ALSA reports every device it probes and cannot open on stderr; for a
// program that only wants the default input and its mixer this is noise.
// The failures themselves arrive as error codes. Safe to call repeatedly.
void silenceAlsaMessages();

} // namespace kelmot::platform
