#pragma once
// Offers the window to the desktop's media keys and player controls (MPRIS) on
// the session bus, and tells them of every change the window shows. Without a
// session bus it does nothing.
#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class Form1;
class MprisPlayer;

class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(Form1& form, const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~MprisService() override;

    // The bus name taken; empty when the bus could not be reached.
    QString serviceName() const { return name_; }

private:
    QVariantMap changingProperties() const;
    void announceChanges();
    void sendChanges();
    void announceSeek();

    QDBusConnection bus_;
    MprisPlayer* player_;
    QString name_;
    QVariantMap announced_;
    bool announcing_ = false;
};
