// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scrolling_label.h"

#include <QEvent>
#include <QPainter>

namespace velmora {

void ScrollingLabel::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    if (m_rendered.isNull() || m_renderedText != text() || m_rendered.size() != (size() * ratio)) {
        m_rendered = QPixmap(size() * ratio);
        m_rendered.setDevicePixelRatio(ratio);
        m_rendered.fill(Qt::transparent);
        QPainter painter(&m_rendered);
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        int flags = static_cast<int>(alignment());
        if (wordWrap())
            flags |= Qt::TextWordWrap;
        painter.drawText(contentsRect(), flags, text());
        m_renderedText = text();
    }
    QPainter(this).drawPixmap(0, 0, m_rendered);
}

void ScrollingLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        m_rendered = QPixmap();
    QLabel::changeEvent(event);
}

} // namespace velmora
