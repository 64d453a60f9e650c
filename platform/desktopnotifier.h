#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

// Desktop notifications over org.freedesktop.Notifications. Every call is asynchronous: with no
// session bus or no notification service nothing is shown, nothing is reported, nothing waits.
class DesktopNotifier final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifier)
public:
    explicit DesktopNotifier(QObject* parent = nullptr);
    DesktopNotifier(const QDBusConnection& bus, QObject* parent);

    // target: the file a click on the notification shows in its folder, or a folder to open.
    void notify(const QString& body, const QString& target);

signals:
    // The user clicked the notification (its "default" action); the target has been shown.
    void activated(const QString& target);

private slots:
    void onActionInvoked(uint id, const QString& actionKey);
    void onClosed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    bool m_listening = false;
    QHash<uint, QString> m_targets;
};
