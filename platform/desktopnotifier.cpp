#include "platform/desktopnotifier.h"

#include "platform/apppaths.h"
#include "platform/filerevealer.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The desktop id is also the icon's name; tests and tools started without it use the same.
const QString kDesktopId = QStringLiteral("io.github.chengying.Chengying");
} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : DesktopNotifier(QDBusConnection::sessionBus(), parent) {}

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {}

void DesktopNotifier::notify(const QString& body, const QString& target)
{
    if (!m_bus.isConnected())
        return;
    if (!m_listening) {
        // Any sender: the server's unique name is not known before its first answer.
        m_bus.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
        m_bus.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                      SLOT(onClosed(uint, uint)));
        m_listening = true;
    }
    const QString desktopId =
        QGuiApplication::desktopFileName().isEmpty() ? kDesktopId : QGuiApplication::desktopFileName();
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), desktopId}};
    call << AppPaths::displayName() << 0u << desktopId << AppPaths::displayName() << body
         << QStringList{QStringLiteral("default"), tr("打开输出目录")} << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, target](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<uint> reply = *done;
        if (reply.isValid())
            m_targets.insert(reply.value(), target);
        done->deleteLater();
    });
}

void DesktopNotifier::onActionInvoked(uint id, const QString& actionKey)
{
    if (actionKey != QLatin1String("default") || !m_targets.contains(id))
        return;
    const QString target = m_targets.value(id);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).isDir())
        FileRevealer::openFolder(target);
    else
        FileRevealer::showInFolder(target);
    emit activated(target);
}

void DesktopNotifier::onClosed(uint id, uint /*reason*/)
{
    // Servers close a clicked notification after its action: the click has been read by then.
    m_targets.remove(id);
}
