// The real program, logging in with PEMMORA_PROBE_USER/KEY and then asking for the change of the vault's master
// key to PEMMORA_PROBE_NEW_KEY as the change dialog does; reports "status: <text> <value>/<max>".

#include "app/startup.h"
#include "data/interfacepublicdata.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

void installDriver()
{
    QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus,
                     [](const QString &info, int value, int maximum) {
                         std::printf("status: %s %d/%d\n", info.toUtf8().constData(), value, maximum);
                         std::fflush(stdout);
                     });
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer]() {
        static bool loggingIn = false;
        if (!loggingIn && interfacePublicData.registered) {
            interfacePublicData.setLoginAccount(qEnvironmentVariable("PEMMORA_PROBE_USER"),
                                                qEnvironmentVariable("PEMMORA_PROBE_KEY"));
            loggingIn = true;
        } else if (interfacePublicData.loggedIn) {
            interfacePublicData.reencryptIdle = false;
            emit interfacePublicData.SIGNALSendQuery(AesAccountUpdate,
                                                     QVariant::fromValue(interfacePublicData.setNewAccount(
                                                         QString(), qEnvironmentVariable("PEMMORA_PROBE_NEW_KEY"))));
            timer->stop();
        }
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installDriver)

int main(int argc, char *argv[])
{
    return Startup::run(argc, argv);
}
