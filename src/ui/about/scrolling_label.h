// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

namespace velmora {

// A plain-text label that keeps its rendered text as a picture, so that moving it twenty
// times a second costs a copy instead of a new text layout each time.
class ScrollingLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap m_rendered;
    QString m_renderedText;
};

} // namespace velmora
