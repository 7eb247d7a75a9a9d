// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace velmora {

// The About box's text climbs 20 twips a tick. Once the label's bottom (its height plus its
// top, in single precision) has passed above 10 twips, it starts again below the box: its
// own height plus the box's inner height plus 50 twips down, so that the picture shows alone
// for a while before the text comes back.
struct ScrollingText {
    float height;      // the label's height, twips
    float innerHeight; // the inner height of the box it moves in, twips

    float NextTop(float top) const
    {
        top -= 20.0f;
        if (height + top < 10.0f)
            top = height + innerHeight + 50.0f;
        return top;
    }
};

} // namespace velmora
