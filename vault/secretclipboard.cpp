#include "vault/secretclipboard.h"

#include "data/configsettings.h"
#include "data/interfacepublicdata.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QMimeData>
#include <QToolTip>

#include <algorithm>

namespace {

QByteArray digest(const QString &text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
}

QMimeData *secretData(const QString &text)
{
    auto *data = new QMimeData();
    data->setText(text);
    // Clipboard managers that know the hint keep no history of it.
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    return data;
}

} // namespace

bool SecretClipboard::clearSecondsValid(int seconds)
{
    return seconds == 0 || (seconds >= MinClearSeconds && seconds <= MaxClearSeconds);
}

int SecretClipboard::configuredClearSeconds()
{
    bool ok = false;
    const int seconds = ConfigSettings().value(QLatin1String(ConfigSettings::ClipboardClearSecondsKey)).toInt(&ok);
    return ok && clearSecondsValid(seconds) ? seconds : DefaultClearSeconds;
}

SecretClipboard::SecretClipboard(QClipboard *clipboard, QObject *parent) : QObject(parent), clipboard(clipboard)
{
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &SecretClipboard::tick);
}

SecretClipboard *SecretClipboard::instance()
{
    static SecretClipboard *shared = nullptr;
    if (!shared) {
        shared = new SecretClipboard(QGuiApplication::clipboard(), qApp);
        connect(qApp, &QCoreApplication::aboutToQuit, shared, &SecretClipboard::clear);
        connect(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin, shared, [](bool login) {
            if (!login)
                shared->clear();
        });
    }
    return shared;
}

void SecretClipboard::copy(const QString &text, int clearSeconds)
{
    if (text.isEmpty())
        return;
    copied = digest(text);
    for (const QClipboard::Mode mode : modes())
        clipboard->setMimeData(secretData(text), mode);
    left = clearSecondsValid(clearSeconds) ? clearSeconds : DefaultClearSeconds;
    if (left == 0) {
        timer.stop();
        emit SIGNALCountdown(0);
        return;
    }
    timer.start();
    emit SIGNALCountdown(left);
}

void SecretClipboard::copyAndTell(const QString &text, QWidget *widget, const QPoint &globalPos)
{
    if (text.isEmpty())
        return;
    const int seconds = configuredClearSeconds();
    copy(text, seconds);
    QToolTip::showText(globalPos, seconds == 0 ? tr("已复制") : tr("已复制，%1 秒后从剪贴板清除").arg(seconds), widget);
}

QList<QClipboard::Mode> SecretClipboard::modes() const
{
    if (clipboard->supportsSelection())
        return {QClipboard::Clipboard, QClipboard::Selection};
    return {QClipboard::Clipboard};
}

bool SecretClipboard::holds(QClipboard::Mode mode) const
{
    return !copied.isEmpty() && digest(clipboard->text(mode)) == copied;
}

bool SecretClipboard::holdsCopied() const
{
    const QList<QClipboard::Mode> all = modes();
    return std::any_of(all.cbegin(), all.cend(), [this](QClipboard::Mode mode) { return holds(mode); });
}

void SecretClipboard::tick()
{
    // The user copied something else: forget ours, so that clearing leaves theirs and only stops counting.
    if (!holdsCopied()) {
        copied.clear();
        clear();
        return;
    }
    if (--left <= 0) {
        clear();
        return;
    }
    emit SIGNALCountdown(left);
}

void SecretClipboard::clear()
{
    for (const QClipboard::Mode mode : modes()) {
        if (holds(mode))
            clipboard->clear(mode);
    }
    copied.clear();
    const bool counting = timer.isActive() || left != 0;
    timer.stop();
    left = 0;
    if (counting)
        emit SIGNALCountdown(0);
}
