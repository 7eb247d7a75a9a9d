// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtMath>

namespace velmora {

// The windows are laid out in twips, 15 to a logical pixel (1/1440 inch at 96 dots per
// inch); Qt's high-DPI scaling then keeps the proportions on any screen.
constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips)
{
    return qRound(twips / kTwipsPerPixel);
}

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

inline QSize TwipsSize(int width, int height)
{
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

inline QPoint TwipsPoint(int x, int y)
{
    return {TwipsToPixels(x), TwipsToPixels(y)};
}

// Names a control as the design does (so tests find it by that name) and puts it at its
// place in the layout table.
template <typename Widget> Widget* Place(Widget* widget, const QString& name, QRect twips)
{
    widget->setObjectName(name);
    widget->setGeometry(twips);
    return widget;
}

} // namespace velmora
