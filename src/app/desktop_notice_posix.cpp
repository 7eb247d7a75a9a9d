// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_notice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

bool ShowDesktopNotice(const QString& title, const QString& words)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Called by name, without asking the service what it offers first: a service that hangs
    // costs kNoticePatience once, not the bus's own 25 seconds for each question.
    QDBusMessage notify = QDBusMessage::createMethodCall(
        u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
        u"org.freedesktop.Notifications"_s, u"Notify"_s);
    notify << u"Velmora"_s << 0u << u"org.velmora.Velmora"_s << title << words << QStringList()
           << QVariantMap{{u"desktop-entry"_s, u"org.velmora.Velmora"_s}} << -1;
    const QDBusMessage reply =
        bus.call(notify, QDBus::Block, static_cast<int>(kNoticePatience.count()));
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace velmora
