// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts.h"
#include "ui_text.h"
#include "whole_file.h"

namespace velmora {

// Why a file could not be written, in the user's words for the common causes; the system's own
// text follows it on the next line.
inline QString FaultText(const WriteFailure& failure)
{
    std::string_view words;
    switch (failure.fault) {
    case WriteFault::NotRegularFile:
        words = texts::kNotRegularFile;
        break;
    case WriteFault::ReadOnly:
        words = texts::kReadOnly;
        break;
    case WriteFault::NoPermission:
        words = texts::kNoPermission;
        break;
    case WriteFault::NoSpace:
        words = texts::kNoSpace;
        break;
    case WriteFault::Other:
        break;
    }
    return UiText(words) + u'\n' + failure.reason;
}

} // namespace velmora
