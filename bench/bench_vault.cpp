// Speed of the vault: the master account change of a large vault, from the request to the answer, and
// the throughput of the cipher it is built on.

#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "models/qaesencryption.h"
#include "models/vaultcipher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <cstdio>

namespace {

void print(const char *name, double value, const char *unit)
{
    std::printf("%s: %.1f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Best of a few runs, so that a busy machine does not decide the figure.
template <typename Run> double bestOf(int runs, Run run)
{
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        const double value = run();
        if (i == 0 || value < best)
            best = value;
    }
    return best;
}

double reencryptMilliseconds(int accounts)
{
    TestProgramDir dir;
    const QString user = QStringLiteral("owner2024");
    const QString key = QStringLiteral("old.key.2024");
    if (!dir.isValid() || !VaultSeed::seed(dir.databaseFile(), user, key, accounts))
        qFatal("cannot prepare the vault");
    interfacePublicData.userHash = VaultCipher::credentialHash(user);
    interfacePublicData.keyHash = VaultCipher::credentialHash(key);
    double elapsed = 0;
    {
        StoreWorker<> worker;
        QSignalSpy answer(&worker, &SqlThread::SIGNALSendQueryData);
        QElapsedTimer timer;
        timer.start();
        worker.SLOTReceiveQuery(AesAccountUpdate, QVariant::fromValue(interfacePublicData.setNewAccount(
                                                      QString(), QStringLiteral("new.key.2024"))));
        elapsed = timer.nsecsElapsed() / 1e6;
        if (answer.count() != 1 || answer.at(0).at(1).value<AesAccountUpdateResultType>() != AesUpdateSuccess)
            qFatal("the change failed");
    }
    QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
    return elapsed;
}

double aesSecondsPerMiB()
{
    const QByteArray data(1 << 20, 'x');
    const QByteArray key(32, 'k');
    const QByteArray iv(16, 'i');
    QElapsedTimer timer;
    timer.start();
    const QByteArray cipher =
        QAESEncryption::Crypt(QAESEncryption::AES_256, QAESEncryption::CBC, data, key, iv, QAESEncryption::ZERO);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (cipher.size() != data.size())
        qFatal("unexpected cipher size");
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    registerRecordMetaTypes();
    print("vault_reencrypt_10000_accounts", bestOf(3, [] { return reencryptMilliseconds(10000); }), "ms");
    print("aes256_cbc_encode_1MiB", 1.0 / bestOf(5, aesSecondsPerMiB) * (1 << 20) / 1e6, "MB/s");
    return 0;
}
