// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsamessages.h"

#include <alsa/asoundlib.h>

namespace kelmot::platform {

namespace {
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
} // namespace

void silenceAlsaMessages() {
    snd_lib_error_set_handler(&quietAlsa);
}

} // namespace kelmot::platform
